#include "app/FrontPanelKeys.h"

#include <QKeyEvent>
#include <QPainter>

#include <cstdlib>
#include <limits>

namespace {

QRect ToRect(const FrontPanel::Rect& key)
{
    return QRect(key.left, key.top, key.right - key.left, key.bottom - key.top);
}

}  // namespace

FrontPanelKeys::FrontPanelKeys(QWidget* window) : QWidget(window), m_keys(FrontPanel::KeyRects())
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    QRect area;
    for (const FrontPanel::Rect& key : m_keys)
        area |= ToRect(key);
    setGeometry(area.adjusted(-2, -2, 2, 2));
    setAccessibleName(QStringLiteral("Front panel"));
}

QPoint FrontPanelKeys::FocusedPoint() const
{
    return ToRect(m_keys[m_focused]).center();
}

void FrontPanelKeys::Describe(const QString& keyHelp, const QString& state)
{
    // Names change only when they do: each change is read out again.
    const QString name =
        keyHelp.isEmpty() ? QStringLiteral("Front panel") : QStringLiteral("Front panel: %1").arg(keyHelp);
    if (accessibleName() != name)
        setAccessibleName(name);
    const QString description =
        state + QStringLiteral(". Arrow keys choose a key, Space or Return presses it");
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

// The nearest key whose centre lies within 45 degrees of the direction;
// the focus stays where no key lies that way.
void FrontPanelKeys::Step(int dx, int dy)
{
    const QPoint from = FocusedPoint();
    std::size_t best = m_focused;
    int bestScore = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        const QPoint offset = ToRect(m_keys[i]).center() - from;
        const int along = offset.x() * dx + offset.y() * dy;
        const int across = std::abs(offset.x() * dy + offset.y() * dx);
        if (along <= 0 || across > along)
            continue;
        if (const int score = along + 3 * across; score < bestScore) {
            bestScore = score;
            best = i;
        }
    }
    if (best == m_focused)
        return;
    m_focused = best;
    update();
    if (onFocusKey)
        onFocusKey(FocusedPoint());
}

void FrontPanelKeys::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        Step(-1, 0);
        break;
    case Qt::Key_Right:
        Step(1, 0);
        break;
    case Qt::Key_Up:
        Step(0, -1);
        break;
    case Qt::Key_Down:
        Step(0, 1);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (onPress)
            onPress(FocusedPoint());
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void FrontPanelKeys::paintEvent(QPaintEvent*)
{
    if (!hasFocus())
        return;
    // The focused key carries the focus mark, in the window's coordinates.
    QPainter painter(this);
    painter.translate(-pos());
    painter.setPen(QPen(Qt::yellow, 2, Qt::DotLine));
    painter.drawRect(ToRect(m_keys[m_focused]).adjusted(-1, -1, 1, 1));
}

void FrontPanelKeys::focusInEvent(QFocusEvent* event)
{
    update();
    if (onFocusKey)
        onFocusKey(FocusedPoint());
    QWidget::focusInEvent(event);
}

void FrontPanelKeys::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}
