#pragma once

#include <QImage>
#include <QMdiArea>

// The main window's client area: document windows on grey, and while none
// covers it the program's picture centred.
class CMainClient : public QMdiArea {
public:
    static constexpr int kPictureResource = 130;
    static const QColor& BackgroundColour();

    explicit CMainClient(QWidget* parent = nullptr);

    // Lays the minimized document windows out along the bottom of the area.
    void ArrangeIcons();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};
