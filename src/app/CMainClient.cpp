#include "app/CMainClient.h"

#include "app/ResourcePicture.h"

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
