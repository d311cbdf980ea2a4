#include "app/DialogUnits.h"

namespace DialogUnits {

namespace {
constexpr int kTemplateFontPixels = 11;
}

QRect ToPixels(int left, int top, int width, int height)
{
    return {ToPixelsX(left), ToPixelsY(top), ToPixelsX(width), ToPixelsY(height)};
}

QFont TemplateFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kTemplateFontPixels);
    return font;
}

}  // namespace DialogUnits
