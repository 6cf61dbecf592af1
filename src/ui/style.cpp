#include "ui/style.h"

namespace ui::style {

QStringList faceSubstitutes()
{
    return {QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("AR PL UMing CN"),
            QStringLiteral("Noto Serif CJK SC")};
}

void substituteFonts()
{
    QFont::insertSubstitutions(kFaceName, faceSubstitutes());
}

QFont songFont(qreal pointSize)
{
    QFont font(kFaceName);
    font.setPointSizeF(pointSize);
    return font;
}

QFont captionFont()
{
    QFont font = songFont(9.75);
    font.setBold(true);
    return font;
}

} // namespace ui::style
