#include "app/WindowPlacement.h"

#include "data/WindowPosition.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QScreen>

#include <algorithm>

namespace WindowPlacement {

namespace {

constexpr int kGap = 4;          // pixels between the document window and the one beside it
constexpr int kNarrowest = 400;  // pixels: a window narrowed to fit beside stays readable

// The document window (its frame in the main window's document area) that holds view.
QWidget* DocumentWindowOf(QWidget* view)
{
    for (QWidget* widget = view; widget != nullptr; widget = widget->parentWidget())
        if (qobject_cast<QMdiSubWindow*>(widget) != nullptr)
            return widget;
    return view;
}

QRect GlobalRect(const QWidget& widget)
{
    return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
}

}  // namespace

bool PositionsWork()
{
    return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

QPoint Beside(QSize size, const QRect& viewFrame, const QRect& area)
{
    const int rightmost = area.right() + 1 - size.width();
    int x = rightmost;
    int y = area.top();
    if (!viewFrame.isEmpty()) {
        y = viewFrame.top();
        if (viewFrame.right() + 1 + kGap <= rightmost)
            x = viewFrame.right() + 1 + kGap;
        else if (viewFrame.left() - kGap - size.width() >= area.left())
            x = viewFrame.left() - kGap - size.width();
    }
    y = std::min(y, area.bottom() + 1 - size.height());
    return {std::max(x, area.left()), std::max(y, area.top())};
}

void PlaceBeside(QWidget& window, QWidget& main, QWidget* view)
{
    if (!PositionsWork())
        return;
    const auto* frame = qobject_cast<QMainWindow*>(main.window());
    if (frame == nullptr || frame->centralWidget() == nullptr)
        return;
    const QRect area = GlobalRect(*frame->centralWidget());
    QWidget* document = view != nullptr ? DocumentWindowOf(view) : nullptr;
    const QRect beside = document != nullptr && document->isVisible() ? GlobalRect(*document) : QRect();
    if (!window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
    // A window not shown yet has no frame: it will get one like the main window's.
    const QSize frameExtra = window.isVisible() ? window.frameGeometry().size() - window.size()
                                                : frame->frameGeometry().size() - frame->size();
    // A window that can be narrowed (the manual) is, to fit beside the document window.
    const int room = area.right() - beside.right() - kGap - frameExtra.width();
    if (!beside.isEmpty() && room < window.width() && window.minimumWidth() < window.maximumWidth() &&
        room >= std::max(kNarrowest, window.minimumSizeHint().width()))
        window.resize(room, window.height());
    window.move(Beside(window.size() + frameExtra, beside, area));
}

void Restore(QWidget& window, int stored, QWidget& main, QWidget* view)
{
    if (!PositionsWork())
        return;
    if (stored == 0) {
        PlaceBeside(window, main, view);
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen != nullptr ? screen->size() : QSize();
    const WindowPosition position = UnpackWindowPosition(stored, size.width(), size.height());
    window.move(position.x, position.y);
}

void CentreOnScreen(QWidget& window)
{
    if (!PositionsWork())
        return;
    const QWidget* parent = window.parentWidget();
    const QScreen* screen = parent != nullptr ? parent->screen() : window.screen();
    if (screen == nullptr)
        return;
    const QRect room = screen->availableGeometry();
    const QSize size = window.frameGeometry().size();
    window.move(room.left() + (room.width() - size.width()) / 2,
                room.top() + (room.height() - size.height()) / 2);
}

}  // namespace WindowPlacement
