#include "app/CMainClient.h"

#include "app/ResourcePicture.h"

#include <QMdiSubWindow>
#include <QPainter>

const QColor& CMainClient::BackgroundColour()
{
    // The platform's stock grey brush.
    static const QColor grey(128, 128, 128);
    return grey;
}

CMainClient::CMainClient(QWidget* parent) : QMdiArea(parent)
{
    setBackground(BackgroundColour());
    m_picture = ResourcePicture(kPictureResource).toImage();
}

void CMainClient::paintEvent(QPaintEvent* event)
{
    QMdiArea::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(viewport());
    const QSize area = viewport()->size();
    painter.drawImage((area.width() - m_picture.width()) / 2, (area.height() - m_picture.height()) / 2,
                      m_picture);
}

void CMainClient::ArrangeIcons()
{
    // Left to right along the bottom edge, a new row above when one is full.
    const int width = viewport()->width();
    int left = 0;
    int bottom = viewport()->height();
    for (QMdiSubWindow* window : subWindowList()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (left > 0 && left + size.width() > width) {
            left = 0;
            bottom -= size.height();
        }
        window->move(left, bottom - size.height());
        left += size.width();
    }
}
