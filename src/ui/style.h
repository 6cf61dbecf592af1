// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>

// The window's look in one place: its fonts (in the program's face, face/face.h), its
// pointer, its colours. The program, the tests and the benchmarks all draw on these, so
// that a change here is seen everywhere at once.
class QWidget;

namespace ui::style {

// "宋体" at `pointSize`: 9 pt is the controls' text, giving the 12-pixel line the
// layout assumes.
[[nodiscard]] QFont songFont(qreal pointSize = 9);
// The title bar's caption: "宋体" 9.75 pt bold.
[[nodiscard]] QFont captionFont();

// The pointing hand over the keywords, drawn for `ratio` device pixels to a logical pixel
// so that it stays crisp on dense screens. Its hot spot is the tip of the index finger at
// every ratio.
[[nodiscard]] QCursor handCursor(qreal ratio);

// The sizes the result text, the reference header and the keyword labels step through,
// in points; the first is the design's size.
inline constexpr int kResultTextSizes[] = {9, 10, 11, 12, 14, 16, 18, 20, 22};

// The colours.
inline const QColor kTitleColor(222, 231, 239);      // title bar, window, buttons
inline const QColor kTitleTextColor(128, 0, 128);    // caption and title-bar symbols
inline const QColor kPanelColor(234, 233, 215);      // results panel and keyword input
inline const QColor kPanelTextColor(128, 128, 0);    // panel captions, reference header
inline const QColor kBorderColor(149, 177, 193);     // thin edges of panels and wells
inline const QColor kLightLineColor(250, 250, 250);  // the window's light border lines
inline const QColor kStatusTextColor(128, 128, 255); // status bar text
// Draws the style's focus frame around `widget` when it has the keyboard focus; for the
// labels that take the focus, which draw none of their own.
void drawFocusFrame(QWidget *widget);

inline const QColor kResultColor(0, 64, 64);      // result text
inline const QColor kKeywordColor(0, 0, 0);       // keyword labels at rest
inline const QColor kHoverColor(255, 162, 64);    // the keyword under the pointer
inline const QColor kDimTextColor(128, 128, 128); // the alias after a suggested keyword
inline const QColor kTitleButtonHover(240, 244, 248);
inline const QColor kTitleButtonDown(200, 214, 226);

} // namespace ui::style
