// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_layout.h"

#include <algorithm>

namespace ui {
namespace {

constexpr int kBorderInset = 8;
constexpr int kTitleMargin = 20;
constexpr int kTitleTop = 10;
constexpr int kPanelBottomGap = 100;
constexpr int kStatusBottomGap = 60;
constexpr int kStatusHeight = 255;
constexpr int kViewportLeft = 10;
constexpr int kViewportTop = 275;
constexpr int kViewportGap = 20;
constexpr int kScrollOffset = 275;
constexpr int kScrollWidth = 255;
constexpr int kPanelTrim = 10;
constexpr int kTextTrim = 120;

// Moves `rect` when the new size is possible; a negative size fails and changes nothing.
bool move(TwipsRect &rect, int left, int top, int width, int height)
{
    if (width < 0 || height < 0)
        return false;
    rect = {left, top, width, height};
    return true;
}

} // namespace

WindowGeometry ArrangeWindow(const LayoutInput &in, WindowGeometry g)
{
    const int w = in.width;
    const int h = in.height;
    const int line = in.lineHeight;

    g.Line1 = {0, 0, 0, h};
    g.Line2 = {0, 0, w, 0};
    g.Line3 = {w - kBorderInset, 0, w - kBorderInset, h};
    g.Line4 = {0, h - kBorderInset, w, h - kBorderInset};

    move(g.titleBar, kTitleMargin, kTitleTop, w - 2 * kTitleMargin, g.titleBar.height);

    move(g.frmBack, g.frmBack.left, g.frmBack.top, w - 2 * g.frmBack.left,
         h - g.frmBack.top - g.statusBar.height - kPanelBottomGap);

    move(g.statusBar, g.frmBack.left, h - g.statusBar.height - kStatusBottomGap, g.frmBack.width,
         kStatusHeight);

    move(g.frmFore, kViewportLeft, kViewportTop, g.frmBack.width - kScrollWidth - kViewportGap,
         g.frmBack.height - g.frmFore.top - kViewportGap);

    move(g.VScroll1, g.frmBack.width - kScrollOffset, g.frmFore.top, kScrollWidth, g.frmFore.height);

    move(g.Frame1, g.Frame1.left, g.Frame1.top, g.frmFore.width - kPanelTrim, g.Frame1.height);

    const int textWidth = g.Frame1.width - kTextTrim;
    if (textWidth >= 0) {
        g.lblDscr.width = textWidth;
        g.lblDscr.height = in.resultTextHeight ? in.resultTextHeight(textWidth) : 0;
    }

    g.headerTop = g.lblDscr.top + g.lblDscr.height + 2 * line;

    g.keywordLabelTops.resize(std::size_t(std::max(in.keywordLabels, 0)));
    for (std::size_t i = 0; i < g.keywordLabelTops.size(); ++i)
        g.keywordLabelTops[i] = g.headerTop + int(i + 2) * line;

    const int lastTop = g.keywordLabelTops.empty() ? g.headerTop : g.keywordLabelTops.back();
    move(g.Frame1, g.Frame1.left, g.Frame1.top, g.Frame1.width, lastTop + 3 * line);

    // Twips are whole numbers here, so the rounding of the overhang is exact. A panel that
    // fits needs no range: a stale one would leave it scrolled with the bar hidden.
    g.scrollMaximum = std::max(g.Frame1.height - g.frmFore.height, 0);
    g.scrollBarVisible = g.Frame1.height > g.frmFore.height;

    g.Image1.left = g.frmBack.left + g.frmBack.width - g.Image1.width;
    return g;
}

} // namespace ui
