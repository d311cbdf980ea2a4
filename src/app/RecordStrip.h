#pragma once

#include <QWidget>

#include <functional>

class CMainDoc;

// The strip of 30 cells under the plot, one per record: olive around the
// selected record, green inside a record that holds data, grey inside an
// empty one. A press or a drag on a cell selects its record; Left and Right
// step the record while the strip has the focus.
class RecordStrip : public QWidget {
    Q_OBJECT

public:
    // The cell colours.
    static constexpr QRgb kSelectedFrame = 0xFF808000u;  // RGB(128,128,0)
    static constexpr QRgb kFrame = 0xFF000000u;
    static constexpr QRgb kSelectedInUse = 0xFF00FF00u;  // RGB(0,255,0)
    static constexpr QRgb kInUse = 0xFF008000u;          // RGB(0,128,0)
    static constexpr QRgb kSelectedEmpty = 0xFFC0C0C0u;  // RGB(192,192,192)
    static constexpr QRgb kEmpty = 0xFF808080u;          // RGB(128,128,128)

    RecordStrip(CMainDoc& document, QWidget* parent);

    void SetSelected(int memory);
    // Called with the position of every mouse move and press over the
    // strip, and whether the left button is down.
    std::function<void(QPoint position, bool leftButton)> onMouse;
    // Called with -1 or +1 for Left or Right.
    std::function<void(int step)> onStep;
    // Home and End: select memory 1 or 30.
    std::function<void(int memory)> onSelect;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Describe();

    CMainDoc& m_document;
    int m_nMemory = 1;
};
