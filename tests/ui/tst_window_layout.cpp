// SPDX-License-Identifier: GPL-3.0-or-later
// ArrangeWindow's arithmetic without a window: the frame for a window size, the result
// stacked under its text, the scroll range, and passes at sizes too small for the frame.

#include "ui/window_layout.h"

#include <QTest>

#include <vector>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ui::TwipsRect)
Q_DECLARE_METATYPE(std::vector<int>)

namespace {

constexpr int kDefaultWidth = 7065;
constexpr int kDefaultHeight = 5865;

ui::LayoutInput input(int width, int height, int textHeight = 180, int labels = 1, int line = 180)
{
    ui::LayoutInput in;
    in.width = width;
    in.height = height;
    in.lineHeight = line;
    in.keywordLabels = labels;
    in.resultTextHeight = [textHeight](int) { return textHeight; };
    return in;
}

// A text of `chars` characters of 180 twips each, wrapped at the width it is given.
ui::LayoutInput wrappingInput(int width, int height, int chars, std::vector<int> *widthsAsked)
{
    ui::LayoutInput in = input(width, height);
    in.resultTextHeight = [chars, widthsAsked](int textWidth) {
        widthsAsked->push_back(textWidth);
        const int perLine = std::max(textWidth / 180, 1);
        return 180 * ((chars + perLine - 1) / perLine);
    };
    return in;
}

bool noNegativeSize(const ui::WindowGeometry &g)
{
    for (const ui::TwipsRect &r :
         {g.titleBar, g.frmBack, g.statusBar, g.frmFore, g.VScroll1, g.Frame1, g.lblDscr, g.Image1}) {
        if (r.width < 0 || r.height < 0)
            return false;
    }
    return g.scrollMaximum >= 0;
}

} // namespace

class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void frameFollowsWindowSize_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("backgroundLeft");
        QTest::addColumn<int>("backgroundTop");
        QTest::addColumn<ui::TwipsRect>("titleBar");
        QTest::addColumn<ui::TwipsRect>("background");
        QTest::addColumn<ui::TwipsRect>("statusBar");
        QTest::addColumn<ui::TwipsRect>("viewport");
        QTest::addColumn<ui::TwipsRect>("scrollBar");
        QTest::addColumn<int>("panelWidth");
        QTest::addColumn<int>("textWidth");
        QTest::addColumn<int>("pictureLeft");

        QTest::newRow("window as designed")
            << 7065 << 5865 << 120 << 1560 << ui::TwipsRect{20, 10, 7025, 375}
            << ui::TwipsRect{120, 1560, 6825, 3950} << ui::TwipsRect{120, 5550, 6825, 255}
            << ui::TwipsRect{10, 275, 6550, 3655} << ui::TwipsRect{6550, 275, 255, 3655} << 6540 << 6420
            << 5775;
        QTest::newRow("larger window")
            << 9000 << 7500 << 120 << 1560 << ui::TwipsRect{20, 10, 8960, 375}
            << ui::TwipsRect{120, 1560, 8760, 5585} << ui::TwipsRect{120, 7185, 8760, 255}
            << ui::TwipsRect{10, 275, 8485, 5290} << ui::TwipsRect{8485, 275, 255, 5290} << 8475 << 8355
            << 7710;
        QTest::newRow("background placed elsewhere keeps its place")
            << 7065 << 5865 << 300 << 1000 << ui::TwipsRect{20, 10, 7025, 375}
            << ui::TwipsRect{300, 1000, 6465, 4510} << ui::TwipsRect{300, 5550, 6465, 255}
            << ui::TwipsRect{10, 275, 6190, 4215} << ui::TwipsRect{6190, 275, 255, 4215} << 6180 << 6060
            << 5595;
    }

    void frameFollowsWindowSize()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, backgroundLeft);
        QFETCH(int, backgroundTop);
        QFETCH(ui::TwipsRect, titleBar);
        QFETCH(ui::TwipsRect, background);
        QFETCH(ui::TwipsRect, statusBar);
        QFETCH(ui::TwipsRect, viewport);
        QFETCH(ui::TwipsRect, scrollBar);
        QFETCH(int, panelWidth);
        QFETCH(int, textWidth);
        QFETCH(int, pictureLeft);

        ui::WindowGeometry before;
        before.frmBack.left = backgroundLeft;
        before.frmBack.top = backgroundTop;
        int widthAsked = -1;
        ui::LayoutInput in = input(width, height);
        in.resultTextHeight = [&widthAsked](int w) {
            widthAsked = w;
            return 180;
        };
        const ui::WindowGeometry g = ui::ArrangeWindow(in, before);

        QCOMPARE(g.Line1, (ui::TwipsLine{0, 0, 0, height}));
        QCOMPARE(g.Line2, (ui::TwipsLine{0, 0, width, 0}));
        QCOMPARE(g.Line3, (ui::TwipsLine{width - 8, 0, width - 8, height}));
        QCOMPARE(g.Line4, (ui::TwipsLine{0, height - 8, width, height - 8}));
        QCOMPARE(g.titleBar, titleBar);
        QCOMPARE(g.frmBack, background);
        QCOMPARE(g.statusBar, statusBar);
        QCOMPARE(g.frmFore, viewport);
        QCOMPARE(g.VScroll1, scrollBar);
        QCOMPARE(g.Frame1.width, panelWidth);
        QCOMPARE(g.lblDscr.width, textWidth);
        QCOMPARE(widthAsked, textWidth); // the text is wrapped at the width it gets
        QCOMPARE(g.Image1, (ui::TwipsRect{pictureLeft, 480, 1170, 945}));
    }

    void resultStacksUnderItsText_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("textHeight");
        QTest::addColumn<int>("labels");
        QTest::addColumn<int>("headerTop");
        QTest::addColumn<std::vector<int>>("labelTops");
        QTest::addColumn<int>("panelHeight");

        QTest::newRow("one line of text, three keywords")
            << 180 << 180 << 3 << 660 << std::vector<int>{1020, 1200, 1380} << 1920;
        QTest::newRow("no keywords: label 1 still counts")
            << 180 << 180 << 1 << 660 << std::vector<int>{1020} << 1560;
        QTest::newRow("empty text") << 180 << 0 << 2 << 480 << std::vector<int>{840, 1020} << 1560;
        QTest::newRow("taller font") << 240 << 480 << 2 << 1080 << std::vector<int>{1560, 1800} << 2520;
    }

    void resultStacksUnderItsText()
    {
        QFETCH(int, line);
        QFETCH(int, textHeight);
        QFETCH(int, labels);
        QFETCH(int, headerTop);
        QFETCH(std::vector<int>, labelTops);
        QFETCH(int, panelHeight);

        const ui::WindowGeometry g =
            ui::ArrangeWindow(input(kDefaultWidth, kDefaultHeight, textHeight, labels, line), {});
        QCOMPARE(g.lblDscr.left, 120);
        QCOMPARE(g.lblDscr.top, 120);
        QCOMPARE(g.lblDscr.height, textHeight);
        QCOMPARE(g.headerLeft, 120);
        QCOMPARE(g.headerTop, headerTop);
        QCOMPARE(g.keywordLabelTops, labelTops);
        QCOMPARE(g.Frame1.height, panelHeight);
    }

    void widerWindowRewrapsText()
    {
        std::vector<int> widths;
        const ui::WindowGeometry narrow = ui::ArrangeWindow(wrappingInput(7065, 5865, 100, &widths), {});
        const ui::WindowGeometry wide = ui::ArrangeWindow(wrappingInput(12000, 5865, 100, &widths), narrow);
        QCOMPARE(widths.size(), std::size_t(2));
        QVERIFY(widths[1] > widths[0]);
        QVERIFY(wide.lblDscr.height < narrow.lblDscr.height);
        QCOMPARE(wide.headerTop - narrow.headerTop, wide.lblDscr.height - narrow.lblDscr.height);
        QCOMPARE(wide.keywordLabelTops.front(), wide.headerTop + 360);
    }

    void scrollRangeIsTheOverhang_data()
    {
        // The viewport of the designed window is 3655 high; the panel is 1380 + text.
        QTest::addColumn<int>("textHeight");
        QTest::addColumn<int>("labels");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("maximum");

        QTest::newRow("panel much shorter") << 0 << 1 << false << 0;
        QTest::newRow("panel exactly as tall") << 2275 << 1 << false << 0;
        QTest::newRow("one twip taller") << 2276 << 1 << true << 1;
        QTest::newRow("taller by 1000") << 3275 << 1 << true << 1000;
        QTest::newRow("far beyond a 16-bit range") << 52275 << 1 << true << 50000;
        QTest::newRow("three hundred keywords") << 180 << 300 << true << 55380 - 3655;
    }

    void scrollRangeIsTheOverhang()
    {
        QFETCH(int, textHeight);
        QFETCH(int, labels);
        QFETCH(bool, visible);
        QFETCH(int, maximum);

        // Start from a range left by a longer result: it must not survive.
        ui::WindowGeometry before;
        before.scrollMaximum = 99999;
        before.scrollBarVisible = true;
        const ui::WindowGeometry g =
            ui::ArrangeWindow(input(kDefaultWidth, kDefaultHeight, textHeight, labels), before);
        QCOMPARE(g.frmFore.height, 3655);
        QCOMPARE(g.scrollBarVisible, visible);
        QCOMPARE(g.scrollMaximum, maximum);
    }

    void passKeepsScrolledPanelWhereItIs()
    {
        ui::WindowGeometry scrolled = ui::ArrangeWindow(input(kDefaultWidth, kDefaultHeight, 9000), {});
        scrolled.Frame1.top = -4500;
        const ui::WindowGeometry g = ui::ArrangeWindow(input(8000, 6000, 9000), scrolled);
        QCOMPARE(g.Frame1.top, -4500);
        QCOMPARE(g.Frame1.left, 0);
    }

    void tinyWindowSkipsImpossibleSteps_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");

        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("one pixel") << 15 << 15;
        QTest::newRow("short") << 7065 << 1000;
        QTest::newRow("narrow") << 200 << 5865;
        QTest::newRow("just below the frame") << 514 << 2209;
    }

    void tinyWindowSkipsImpossibleSteps()
    {
        QFETCH(int, width);
        QFETCH(int, height);

        std::vector<int> widths;
        const ui::WindowGeometry normal =
            ui::ArrangeWindow(wrappingInput(kDefaultWidth, kDefaultHeight, 60, &widths), {});
        const ui::WindowGeometry tiny = ui::ArrangeWindow(wrappingInput(width, height, 60, &widths), normal);

        QVERIFY(noNegativeSize(tiny));
        for (int asked : widths)
            QVERIFY2(asked >= 0, "the text was measured at a negative width");
        // The steps that fit still run: lines and status bar follow the new size.
        QCOMPARE(tiny.Line4, (ui::TwipsLine{0, height - 8, width, height - 8}));
        QCOMPARE(tiny.statusBar.top, height - 255 - 60);
        // A background that cannot shrink that far stays as it was.
        if (width < 240 || height < 1560 + 255 + 100)
            QCOMPARE(tiny.frmBack, normal.frmBack);

        // Back at the designed size everything is where a first pass puts it.
        const ui::WindowGeometry restored =
            ui::ArrangeWindow(wrappingInput(kDefaultWidth, kDefaultHeight, 60, &widths), tiny);
        QVERIFY(restored == normal);

        // The same holds when the very first pass is the tiny one.
        const ui::WindowGeometry firstTiny = ui::ArrangeWindow(wrappingInput(width, height, 60, &widths), {});
        QVERIFY(noNegativeSize(firstTiny));
        const ui::WindowGeometry afterFirstTiny =
            ui::ArrangeWindow(wrappingInput(kDefaultWidth, kDefaultHeight, 60, &widths), firstTiny);
        QVERIFY(afterFirstTiny == normal);
        for (int asked : widths)
            QVERIFY2(asked >= 0, "the text was measured at a negative width");
    }
};

QTEST_APPLESS_MAIN(TestWindowLayout)
#include "tst_window_layout.moc"
