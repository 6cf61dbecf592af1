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
bool Move(TwipsRect &rect, int left, int top, int width, int height)
{
    if (width < 0 || height < 0)
        return false;
    rect = {left, top, width, height};
    return true;
}

} // namespace

WindowGeometry ArrangeWindow(const LayoutInput &in, WindowGeometry g)
{
    const int W = in.width;
    const int H = in.height;
    const int line = in.lineHeight;

    g.lines[0] = {0, 0, 0, H};
    g.lines[1] = {0, 0, W, 0};
    g.lines[2] = {W - kBorderInset, 0, W - kBorderInset, H};
    g.lines[3] = {0, H - kBorderInset, W, H - kBorderInset};

    Move(g.titleBar, kTitleMargin, kTitleTop, W - 2 * kTitleMargin, g.titleBar.height);

    Move(g.background, g.background.left, g.background.top, W - 2 * g.background.left,
         H - g.background.top - g.statusBar.height - kPanelBottomGap);

    Move(g.statusBar, g.background.left, H - g.statusBar.height - kStatusBottomGap,
         g.background.width, kStatusHeight);

    Move(g.viewport, kViewportLeft, kViewportTop, g.background.width - kScrollWidth - kViewportGap,
         g.background.height - g.viewport.top - kViewportGap);

    Move(g.scrollBar, g.background.width - kScrollOffset, g.viewport.top, kScrollWidth,
         g.viewport.height);

    Move(g.resultsPanel, g.resultsPanel.left, g.resultsPanel.top, g.viewport.width - kPanelTrim,
         g.resultsPanel.height);

    const int textWidth = g.resultsPanel.width - kTextTrim;
    if (textWidth >= 0) {
        g.resultText.width = textWidth;
        g.resultText.height = in.resultTextHeight ? in.resultTextHeight(textWidth) : 0;
    }

    g.headerTop = g.resultText.top + g.resultText.height + 2 * line;

    g.keywordLabelTops.resize(std::size_t(std::max(in.keywordLabels, 0)));
    for (std::size_t i = 0; i < g.keywordLabelTops.size(); ++i)
        g.keywordLabelTops[i] = g.headerTop + int(i + 2) * line;

    const int lastTop = g.keywordLabelTops.empty() ? g.headerTop : g.keywordLabelTops.back();
    Move(g.resultsPanel, g.resultsPanel.left, g.resultsPanel.top, g.resultsPanel.width,
         lastTop + 3 * line);

    // Twips are whole numbers here, so the rounding of the overhang is exact. A panel that
    // fits needs no range: a stale one would leave it scrolled with the bar hidden.
    g.scrollMaximum = std::max(g.resultsPanel.height - g.viewport.height, 0);
    g.scrollBarVisible = g.resultsPanel.height > g.viewport.height;

    g.picture.left = g.background.left + g.background.width - g.picture.width;
    return g;
}

} // namespace ui
