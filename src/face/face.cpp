// SPDX-License-Identifier: GPL-3.0-or-later
#include "face/face.h"

namespace face {

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

} // namespace face
