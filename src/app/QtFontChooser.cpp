#include "app/QtFontChooser.h"

#include "plot/FontSpec.h"

#include <QFontDialog>

bool QtFontChooser::ChooseFont(LogFontRecord& logFont, bool startFromLogFont)
{
    bool picked = false;
    const QFont start = startFromLogFont ? FontSpec::MakeFont(logFont) : QFont();
    const QFont font = QFontDialog::getFont(&picked, start, m_parent, QStringLiteral("Font"));
    if (picked)
        logFont = FontSpec::RecordFromFont(font);
    return picked;
}
