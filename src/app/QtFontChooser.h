#pragma once

#include "plot/FontChooser.h"

class QWidget;

// The font dialog behind FontSpec::Choose.
class QtFontChooser : public FontChooser {
public:
    explicit QtFontChooser(QWidget* parent) : m_parent(parent) {}
    bool ChooseFont(LogFontRecord& logFont, bool startFromLogFont) override;

private:
    QWidget* m_parent;
};
