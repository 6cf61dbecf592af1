// SPDX-License-Identifier: GPL-3.0-or-later
// Finding a dream faster in the real main window, offscreen: suggestions while typing,
// back and forward through the session's queries, and larger and smaller result text.

#include "face/face.h"
#include "lookup/mod_jie_meng.h"
#include "lookup/result.h"
#include "reading/dream_reading.h"
#include "ui/controls/labelled_input.h"
#include "ui/controls/panel.h"
#include "ui/controls/suggestion_list.h"
#include "ui/controls/tool_button.h"
#include "ui/frm_main.h"
#include "ui/reference_label.h"
#include "ui/results_view.h"
#include "ui/twips.h"
#include "window_under_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kMarker = u"（测试标记）"_s;

modJieMEng::ShownResult expectedResult(const QString &keyword)
{
    QString k = keyword;
    return modJieMEng::showResult(modJieMEng::LookupKeyword(k));
}

// The list as shown: the keyword, then the dimmed alias in brackets.
QStringList shown(const ui::SuggestionList *list)
{
    QStringList shown;
    if (list->isVisible()) {
        for (const ui::SuggestionList::Entry &e : list->entries())
            shown.append(e.note.isEmpty() ? e.text : e.text + u'(' + e.note + u')');
    }
    return shown;
}

} // namespace

class TestFinding : public QObject, private WindowUnderTest
{
    Q_OBJECT

    ui::SuggestionList *list() { return m_window->suggestionList(); }
    QStringList keywords() { return m_window->shownReferences(); }
    QStringList historyKeywords()
    {
        QStringList k;
        for (const ui::QueryHistory::Entry &e : m_window->history().entries())
            k.append(e.keyword);
        return k;
    }

    void type(const QString &text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, field(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    void inputMethod(const QString &preedit, const QString &commit)
    {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit);
        QApplication::sendEvent(field(), &event);
    }

    // The query on screen is the one for `keyword`.
    bool showing(const QString &keyword)
    {
        const modJieMEng::ShownResult expected = expectedResult(keyword);
        return txtWord()->text() == keyword && w().resultText() == expected.text
               && keywords() == expected.references;
    }

    void ask(const QString &keyword)
    {
        field()->setText(keyword);
        QTest::keyClick(field(), Qt::Key_Return);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        face::substituteFonts();
    }

    void init()
    {
        openWindow();
        w().ShowStatus(kMarker);
    }

    void cleanup() { closeWindow(); }

    // --- suggestions ---

    void typingListsSuggestions_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("bell and its second record") << u"钟"_s << QStringList{u"钟"_s, u"钟2"_s, u"闹钟"_s};
        QTest::newRow("one-character alias: its record first")
            << u"脸"_s << QStringList{u"面孔(脸)"_s, u"脸盆"_s, u"陌生人(陌生面孔)"_s};
        QTest::newRow("framing words: the image first")
            << u"梦见蛇"_s << QStringList{u"蛇"_s, u"蛇2"_s, u"蟒蛇"_s, u"…"_s};
        QTest::newRow("two images: the reading first")
            << u"梦见在河边钓到一条大鱼"_s
            << QStringList{u"读梦：河流 · 鱼竿 · 鱼"_s, u"河流(河)"_s, u"鱼竿(钓)"_s, u"鱼(大鱼)"_s, u"…"_s};
        QTest::newRow("typing goes on in the input") << u"闹钟"_s << QStringList{u"闹钟"_s};
        QTest::newRow("nothing matches") << u"龘"_s << QStringList();
        QTest::newRow("rejected letter leaves the checked text")
            << u"钟a"_s << QStringList{u"钟"_s, u"钟2"_s, u"闹钟"_s};
    }

    void typingListsSuggestions()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        type(typed);
        // "…" at the end: the list starts with the entries before it.
        if (expected.endsWith(u"…"_s)) {
            expected.removeLast();
            QCOMPARE(shown(list()).mid(0, expected.size()), expected);
        } else {
            QCOMPARE(shown(list()), expected);
        }
        QVERIFY(field()->hasFocus());
        // Under the input, over the results; and typing alone runs no query.
        if (!expected.isEmpty())
            QCOMPARE(list()->y(), field()->mapTo(m_window.get(), QPoint(0, field()->height())).y() + 1);
        QCOMPARE(w().resultText(), ui::frmMain::welcomeText());
        QVERIFY(w().history().entries().isEmpty());
    }

    void chosenSuggestionRunsItsQuery_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Down, Down, Enter") << u"钟"_s << u"keys"_s << u"钟2"_s;
        QTest::newRow("click on the second entry") << u"脸"_s << u"click"_s << u"脸盆"_s;
        QTest::newRow("Enter with nothing highlighted runs the text") << u"钟"_s << u"enter"_s << u"钟"_s;
        QTest::newRow("Up back to nothing, Enter") << u"钟"_s << u"down-up"_s << u"钟"_s;
        // The list opening under a resting pointer highlights nothing; a move onto an entry does.
        QTest::newRow("pointer resting on an entry, Enter") << u"钟"_s << u"rest"_s << u"钟"_s;
        QTest::newRow("pointer moved onto an entry, Enter") << u"钟"_s << u"move"_s << u"钟2"_s;
    }

    void chosenSuggestionRunsItsQuery()
    {
        QFETCH(QString, typed);
        QFETCH(QString, how);
        QFETCH(QString, expected);
        type(typed);
        QVERIFY(list()->isVisible());
        if (how == u"keys") {
            QTest::keyClick(field(), Qt::Key_Down);
            QTest::keyClick(field(), Qt::Key_Down);
            QCOMPARE(list()->currentRow(), 1);
            QTest::keyClick(field(), Qt::Key_Return);
        } else if (how == u"click") {
            QTest::mouseClick(list(), Qt::LeftButton, {}, list()->rowRect(1).center());
        } else if (how == u"rest" || how == u"move") {
            // Points no earlier row left the pointer at, so that each move is delivered.
            const auto moveTo = [this](QPoint inList) {
                QTest::mouseMove(m_window->windowHandle(), list()->mapTo(m_window.get(), inList));
            };
            const QPoint second = list()->rowRect(1).center();
            if (how == u"rest") {
                moveTo(second + QPoint(7, 1));
            } else {
                moveTo(second + QPoint(9, 1));
                moveTo(second + QPoint(11, 1));
            }
            QTest::keyClick(field(), Qt::Key_Return);
        } else if (how == u"down-up") {
            QTest::keyClick(field(), Qt::Key_Down);
            QTest::keyClick(field(), Qt::Key_Up);
            QCOMPARE(list()->currentRow(), -1);
            QTest::keyClick(field(), Qt::Key_Return);
        } else {
            QTest::keyClick(field(), Qt::Key_Enter);
        }
        // Written as a keyword label writes it: "钟2" keeps its digit.
        QVERIFY(showing(expected));
        QVERIFY(list()->isHidden());
        QCOMPARE(child<ui::Panel>(u"statusBar"_s)->text(), u"完成"_s);
        QCOMPARE(historyKeywords(), QStringList{expected});
        QVERIFY(field()->hasFocus());
    }

    void openingAndClosingRunsNoQuery_data()
    {
        QTest::addColumn<QString>("close");
        QTest::newRow("Escape") << u"escape"_s;
        QTest::newRow("click on the results") << u"click"_s;
        QTest::newRow("text emptied") << u"backspace"_s;
    }

    void openingAndClosingRunsNoQuery()
    {
        QFETCH(QString, close);
        type(u"钟"_s);
        QVERIFY(list()->isVisible());
        if (close == u"escape")
            QTest::keyClick(field(), Qt::Key_Escape);
        else if (close == u"click")
            QTest::mouseClick(Frame1(), Qt::LeftButton, {}, {5, Frame1()->height() - 5});
        else
            QTest::keyClick(field(), Qt::Key_Backspace);
        QVERIFY(list()->isHidden());
        QVERIFY(field()->hasFocus());
        QCOMPARE(w().resultText(), ui::frmMain::welcomeText());
        QCOMPARE(child<ui::Panel>(u"statusBar"_s)->text(), kMarker);
        QVERIFY(w().history().entries().isEmpty());
    }

    void compositionLeavesTheListAlone()
    {
        inputMethod(u"zhong"_s, {});
        QVERIFY(list()->isHidden());
        inputMethod({}, u"钟"_s);
        QCOMPARE(shown(list()), (QStringList{u"钟"_s, u"钟2"_s, u"闹钟"_s}));
        inputMethod(u"biao"_s, {});
        QCOMPARE(shown(list()), (QStringList{u"钟"_s, u"钟2"_s, u"闹钟"_s}));
        inputMethod({}, u"表"_s);
        QCOMPARE(field()->text(), u"钟表"_s);
        QCOMPARE(shown(list()), (QStringList{u"钟"_s, u"钟2"_s, u"闹钟"_s}));
        QCOMPARE(w().resultText(), ui::frmMain::welcomeText());
    }

    // --- reading a whole dream ---

    // Ctrl+Enter, or the list's reading entry: the reading stays on screen although the
    // input is left on the way (which runs its query), the input keeps the dream, the
    // keyword labels are the images, the focus is on the result text, and going back and
    // forward shows the reading again.
    void readingShowsTheImages_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Ctrl+Enter") << u"ctrl-enter"_s;
        QTest::newRow("the reading entry of the list") << u"entry"_s;
    }

    void readingShowsTheImages()
    {
        QFETCH(QString, how);
        const QString dream = u"梦见在河边钓到一条大鱼"_s;
        const reading::Reading expected = reading::readDream(dream);
        QCOMPARE(expected.keywords, (QStringList{u"河流"_s, u"鱼竿"_s, u"鱼"_s}));
        type(dream);
        if (how == u"entry") {
            QVERIFY(list()->entries().value(0).text.startsWith(u"读梦："_s));
            QTest::keyClick(field(), Qt::Key_Down);
            QTest::keyClick(field(), Qt::Key_Return);
        } else {
            QTest::keyClick(field(), Qt::Key_Return, Qt::ControlModifier);
        }
        QCOMPARE(txtWord()->text(), dream);
        QCOMPARE(w().resultText(), expected.text);
        QCOMPARE(keywords(), expected.keywords);
        QVERIFY(list()->isHidden());
        QVERIFY(lblDscr()->hasFocus());
        QCOMPARE(child<ui::Panel>(u"statusBar"_s)->text(), u"完成"_s);

        QTest::mouseClick(frmBack()->lblRefer()[2], Qt::LeftButton, {}, {3, 3});
        QVERIFY(showing(u"鱼竿"_s));
        QTest::keyClick(m_window.get(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(w().resultText(), expected.text);
        QCOMPARE(historyKeywords(), (QStringList{dream, u"鱼竿"_s}));
    }

    // --- back and forward ---

    void everyWayOfQueryingIsRecorded()
    {
        ask(u"人"_s); // Enter
        field()->setText(u"钟"_s);
        QTest::mouseClick(txtWord()->confirmButton(), Qt::LeftButton);           // picture button
        QTest::mouseClick(frmBack()->lblRefer()[1], Qt::LeftButton, {}, {3, 3}); // keyword label
        const QString label = txtWord()->text();
        field()->clear();
        type(u"脸"_s);
        QTest::mouseClick(list(), Qt::LeftButton, {}, list()->rowRect(0).center()); // suggestion
        field()->setText(u"马"_s);
        button(u"btnSave"_s)->setFocus(Qt::TabFocusReason); // focus lost
        field()->setFocus(Qt::TabFocusReason);
        field()->clear();
        button(u"btnSave"_s)->setFocus(Qt::TabFocusReason); // empty: welcome
        QCOMPARE(w().resultText(), ui::frmMain::welcomeText());
        QCOMPARE(historyKeywords(), (QStringList{u"人"_s, u"钟"_s, label, u"面孔"_s, u"马"_s}));
    }

    void backAndForwardRestoreTheQuery_data()
    {
        QTest::addColumn<bool>("mouse");
        QTest::newRow("Alt+Left and Alt+Right") << false;
        QTest::newRow("the mouse's side buttons") << true;
    }

    void backAndForwardRestoreTheQuery()
    {
        QFETCH(bool, mouse);
        const auto back = [&] {
            if (mouse)
                QTest::mouseClick(lblDscr(), Qt::BackButton, {}, {3, 3});
            else
                QTest::keyClick(field(), Qt::Key_Left, Qt::AltModifier);
        };
        const auto forward = [&] {
            if (mouse)
                QTest::mouseClick(Frame1(), Qt::ForwardButton, {}, {3, 3});
            else
                QTest::keyClick(m_window.get(), Qt::Key_Right, Qt::AltModifier);
        };
        ask(u"人"_s);
        QVERIFY(VScroll1()->maximum() > 600);
        VScroll1()->setValue(600);
        const QPoint scrolledLabel = frmBack()->lblRefer()[3]->pos();
        const QString next = keywords().at(2);
        QTest::mouseClick(frmBack()->lblRefer()[3], Qt::LeftButton, {}, {3, 3});
        QVERIFY(showing(next));
        VScroll1()->setValue(VScroll1()->maximum());
        const int nextScroll = VScroll1()->value();

        back();
        QVERIFY(showing(u"人"_s));
        QCOMPARE(VScroll1()->value(), 600);
        QCOMPARE(Frame1()->y(), -ui::toPixels(600));
        QCOMPARE(frmBack()->lblRefer()[3]->pos(), scrolledLabel);
        back(); // nothing further back
        QVERIFY(showing(u"人"_s));

        forward();
        QVERIFY(showing(next));
        QCOMPARE(VScroll1()->value(), nextScroll);
        QCOMPARE(historyKeywords(), (QStringList{u"人"_s, next}));
        QCOMPARE(child<ui::Panel>(u"statusBar"_s)->text(), u"完成"_s);
    }

    // --- larger and smaller text ---

    void textSizeKeys()
    {
        ask(u"人"_s);
        const ui::WindowGeometry designed = w().geometryInTwips();
        const QList<QRect> fixed{txtWord()->geometry(), button(u"btnSave"_s)->geometry(),
                                 child<ui::Panel>(u"statusBar"_s)->geometry(), field()->geometry()};
        QCOMPARE(w().lineHeightTwips(), 180);

        const auto press = [&](Qt::Key key) { QTest::keyClick(field(), key, Qt::ControlModifier); };
        press(Qt::Key_Equal);
        QCOMPARE(w().textSize(), 10);
        press(Qt::Key_Plus);
        QCOMPARE(w().textSize(), 11);
        press(Qt::Key_Minus);
        QCOMPARE(w().textSize(), 10);
        int lineHeight = w().lineHeightTwips();
        for (int i = 0; i < 20; ++i) {
            press(Qt::Key_Equal);
            QVERIFY(w().lineHeightTwips() >= lineHeight);
            lineHeight = w().lineHeightTwips();
        }
        QVERIFY(w().textSize() >= 20);
        QVERIFY(lineHeight >= 2 * 180);

        // The layout follows the line height; the rest of the window keeps its size.
        const ui::WindowGeometry &g = w().geometryInTwips();
        QCOMPARE(ui::toTwips(frmBack()->lblRefer()[0]->height()), lineHeight);
        QCOMPARE(g.headerTop, g.lblDscr.top + g.lblDscr.height + 2 * lineHeight);
        QCOMPARE(g.keywordLabelTops[1] - g.keywordLabelTops[0], lineHeight);
        QCOMPARE(g.Frame1.height, g.keywordLabelTops.back() + 3 * lineHeight);
        QVERIFY(g.scrollMaximum > designed.scrollMaximum);
        QCOMPARE(VScroll1()->maximum(), g.scrollMaximum);
        QVERIFY(g.lblDscr.height > designed.lblDscr.height);
        QCOMPARE(g.frmFore, designed.frmFore);
        QCOMPARE((QList<QRect>{txtWord()->geometry(), button(u"btnSave"_s)->geometry(),
                               child<ui::Panel>(u"statusBar"_s)->geometry(), field()->geometry()}),
                 fixed);

        press(Qt::Key_0);
        QCOMPARE(w().textSize(), 9);
        QCOMPARE(w().lineHeightTwips(), 180);
        QCOMPARE(w().geometryInTwips(), designed);
        QVERIFY(showing(u"人"_s));
    }

    void ctrlWheelOverTheResults()
    {
        ask(u"人"_s);
        const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
            const QPointF at(10, 10);
            QWheelEvent event(at, frmFore()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, modifiers,
                              Qt::NoScrollPhase, false);
            // Where the window system's wheel over the result text ends up: the labels
            // pass it on to the viewport.
            QApplication::sendEvent(frmFore(), &event);
        };
        wheel(-120, Qt::NoModifier);
        QCOMPARE(w().textSize(), 9);
        QVERIFY(VScroll1()->value() > 0);
        wheel(240, Qt::ControlModifier);
        QCOMPARE(w().textSize(), 11);
        wheel(60, Qt::ControlModifier); // half a notch waits for the other half
        QCOMPARE(w().textSize(), 11);
        wheel(60, Qt::ControlModifier);
        QCOMPARE(w().textSize(), 12);
        wheel(-120 * 10, Qt::ControlModifier);
        QCOMPARE(w().textSize(), 9);
    }
};

QTEST_MAIN(TestFinding)
#include "tst_finding.moc"
