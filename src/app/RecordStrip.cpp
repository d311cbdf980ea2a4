#include "app/RecordStrip.h"

#include "data/CMainDoc.h"
#include "data/ViewReadout.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

RecordStrip::RecordStrip(CMainDoc& document, QWidget* parent) : QWidget(parent), m_document(document)
{
    // The last pixel column and row are part of the strip for the mouse.
    setFixedSize(ViewReadout::kStripWidth + 1, ViewReadout::kCellHeight + 1);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    Describe();
}

// A screen reader tells the selected record as the strip changes it.
void RecordStrip::Describe()
{
    setAccessibleDescription(
        QStringLiteral("Record %1 selected. Left and Right select the previous and next record, "
                       "Home and End the first and the last")
            .arg(m_nMemory));
}

void RecordStrip::SetSelected(int memory)
{
    if (memory == m_nMemory)
        return;
    m_nMemory = memory;
    Describe();
    update();
}

void RecordStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    constexpr int kWidth = ViewReadout::kCellWidth;
    constexpr int kHeight = ViewReadout::kCellHeight;
    for (int cell = 0; cell < SpectrumFile::kRecords; ++cell) {
        const bool selected = cell == m_nMemory - 1;
        const bool inUse = m_document.IsRecordInUse(cell) != 0;
        const int left = kWidth * cell;
        painter.fillRect(left, 0, kWidth, kHeight, QColor::fromRgb(selected ? kSelectedFrame : kFrame));
        const QRgb inner =
            inUse ? (selected ? kSelectedInUse : kInUse) : (selected ? kSelectedEmpty : kEmpty);
        painter.fillRect(left + 2, 2, kWidth - 4, kHeight - 4, QColor::fromRgb(inner));
    }
    if (hasFocus()) {
        // The selected cell carries the focus mark: black and white dots on
        // its frame, seen on every colour the cell can have.
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(Qt::white);
        painter.drawRect(kWidth * (m_nMemory - 1) + 1, 1, kWidth - 3, kHeight - 3);
    }
}

void RecordStrip::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouse)
        onMouse(event->position().toPoint(), event->buttons() & Qt::LeftButton);
}

void RecordStrip::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (onMouse)
        onMouse(event->position().toPoint(), event->buttons() & Qt::LeftButton);
}

void RecordStrip::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) &&
        event->modifiers() == Qt::NoModifier) {
        if (onStep)
            onStep(event->key() == Qt::Key_Left ? -1 : 1);
        return;
    }
    if ((event->key() == Qt::Key_Home || event->key() == Qt::Key_End) &&
        event->modifiers() == Qt::NoModifier) {
        if (onSelect)
            onSelect(event->key() == Qt::Key_Home ? 1 : SpectrumFile::kRecords);
        return;
    }
    QWidget::keyPressEvent(event);
}

void RecordStrip::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void RecordStrip::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}
