// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The program's face, "宋体", in one place for the window and the printed page alike.
namespace face {

// The design's face. "宋体" itself is rarely installed on Linux; substituteFonts() names
// the faces that take its place.
inline const QString kFaceName = QStringLiteral("宋体");

// The Song-style faces a Linux desktop has, best first, named as Simplified-Chinese
// families so that fontconfig does not pick Japanese glyph shapes.
[[nodiscard]] QStringList faceSubstitutes();

// Makes "宋体" resolve to faceSubstitutes() for the whole program. Call once, after the
// QGuiApplication exists and before any window is shown or any page printed.
void substituteFonts();

// "宋体" at `pointSize`.
[[nodiscard]] QFont songFont(qreal pointSize);

} // namespace face
