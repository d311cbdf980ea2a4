#include "app/QtFontChooser.h"

#include "plot/FontSpec.h"

#include <QFontDialog>
#include <QFontInfo>

#include <string>

bool QtFontChooser::ChooseFont(LogFontRecord& logFont, bool startFromLogFont)
{
    bool picked = false;
    const QFont start = startFromLogFont ? FontSpec::MakeFont(logFont) : QFont();
    const QFont font = QFontDialog::getFont(&picked, start, m_parent, QStringLiteral("Font"));
    if (!picked)
        return false;
    // The dialog names the face the system draws for the one asked for
    // ("Liberation Sans" for "Arial"); left as it was, the user's face stays.
    const std::string asked = logFont.lfFaceName;
    logFont = FontSpec::RecordFromFont(font);
    if (startFromLogFont && !asked.empty() && QFontInfo(start).family() == font.family())
        logFont.lfFaceName = asked;
    return true;
}
