#pragma once

#include "link/FrontPanel.h"

#include <QWidget>

#include <functional>
#include <vector>

// The front panel's keys for the keyboard. It lies over the picture, lets
// the mouse through to the window beneath, and takes the focus: the arrow
// keys move it to the nearest key in their direction, Space or Return
// presses the focused key. Its name says the focused key's help and its
// description what the indicators show.
class FrontPanelKeys : public QWidget {
public:
    explicit FrontPanelKeys(QWidget* window);

    // The centre of the focused key, in the window's pixels.
    QPoint FocusedPoint() const;
    // Told of the focused key's centre when the focus comes to it.
    std::function<void(QPoint)> onFocusKey;
    // Told of the focused key's centre when Space or Return presses it.
    std::function<void(QPoint)> onPress;

    // The focused key's help text and the panel's state in words.
    void Describe(const QString& keyHelp, const QString& state);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Step(int dx, int dy);

    std::vector<FrontPanel::Rect> m_keys;
    std::size_t m_focused = 0;
};
