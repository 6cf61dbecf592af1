// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <vector>

// ArrangeWindow's arithmetic, in twips, apart from any widget: given the window's inner
// size and the current place of every control, where each control goes next.
namespace ui {

struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const TwipsRect &, const TwipsRect &) = default;
};

struct TwipsLine
{
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;

    friend bool operator==(const TwipsLine &, const TwipsLine &) = default;
};

// Everything the layout places, as it stands before a pass and after it. Positions are
// relative to each control's parent: the window for the lines, title bar, background
// panel (frmBack), status bar and picture (Image1); the background panel for the
// viewport (frmFore) and scroll bar (VScroll1); the viewport for the results panel
// (Frame1); the results panel for the labels.
struct WindowGeometry
{
    TwipsLine Line1; // left border
    TwipsLine Line2; // top border
    TwipsLine Line3; // right border
    TwipsLine Line4; // bottom border
    TwipsRect titleBar{120, 0, 6735, 375};
    TwipsRect frmBack{120, 1560, 0, 0}; // the background panel
    TwipsRect statusBar{0, 0, 0, 255};
    TwipsRect frmFore{10, 275, 0, 0};  // the viewport
    TwipsRect VScroll1{0, 0, 255, 0};  // the scroll bar
    TwipsRect Frame1{0, 0, 0, 0};      // the results panel
    TwipsRect lblDscr{120, 120, 0, 0}; // the result label
    int headerLeft = 120;
    int headerTop = 0;
    std::vector<int> keywordLabelTops; // labels 1..n
    int scrollMaximum = 0;
    bool scrollBarVisible = false;
    TwipsRect Image1{0, 480, 1170, 945}; // the picture

    friend bool operator==(const WindowGeometry &, const WindowGeometry &) = default;
};

struct LayoutInput
{
    int width = 0;         // the window's inner width
    int height = 0;        // and height
    int lineHeight = 180;  // one line of the labels' font
    int keywordLabels = 1; // n: elements 1..n of the label array, shown or not
    // The wrapped height of the result text at a given width.
    std::function<int(int width)> resultTextHeight;
};

// One layout pass. A step that would give a control a negative width or height is
// skipped and leaves that control where it was; the later steps still run, so the next
// pass at a normal size places everything again.
[[nodiscard]] WindowGeometry ArrangeWindow(const LayoutInput &input, WindowGeometry geometry);

} // namespace ui
