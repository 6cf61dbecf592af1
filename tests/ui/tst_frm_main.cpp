// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window, offscreen: what it shows after load, the status bar and label
// colours under the pointer, queries and their results, the keyword input's check and the
// ways a query starts, and scrolling.

#include "face/face.h"
#include "kb/store.h"
#include "kb/tables.h"
#include "lookup/mod_jie_meng.h"
#include "lookup/result.h"
#include "ui/controls/labelled_input.h"
#include "ui/controls/panel.h"
#include "ui/controls/title_bar.h"
#include "ui/controls/tool_button.h"
#include "ui/frm_main.h"
#include "ui/reference_label.h"
#include "ui/result_label.h"
#include "ui/results_view.h"
#include "ui/twips.h"
#include "window_under_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHash>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kHover(255, 162, 64);
const QColor kHeaderColor(128, 128, 0);
const QString kMarker = u"（测试标记）"_s;
const QString kInvalidInput = u"请输入有效的汉字！"_s;

modJieMEng::ShownResult expectedResult(const QString &keyword)
{
    QString k = keyword;
    return modJieMEng::showResult(modJieMEng::LookupKeyword(k));
}

QColor textColor(const QWidget *label)
{
    return label->palette().color(QPalette::WindowText);
}

// Every distinct Chinese character of the record keywords: as a keyword it is in no record
// and no verse, so only the any-character pass answers it, with nearly every record.
QString everyKeywordCharacter()
{
    QString all;
    QSet<QChar> seen;
    for (const QString &record : kb::BuildRecordTable().split(u'@', Qt::SkipEmptyParts)) {
        for (const QChar c : record.section(u'|', 1, 1)) {
            if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF && !seen.contains(c)) {
                seen.insert(c);
                all.append(c);
            }
        }
    }
    return all;
}

enum class Entry { Key, Insert, Commit };

} // namespace

Q_DECLARE_METATYPE(Entry)

class TestFrmMain : public QObject, private WindowUnderTest
{
    Q_OBJECT

    // Moves the pointer through the window system onto `target` at `local`, so the move
    // reaches whatever widget really lies there. Returns false when `target` is not the
    // widget under that point.
    bool hover(QWidget *target, QPoint local)
    {
        QWidget *top = target->window();
        const QPoint at = target->mapTo(top, local);
        QWidget *under = top->childAt(at);
        if (under != target && !(target == top && under == nullptr))
            return false;
        // Two moves, so that a pointer already resting at `at` still reports one.
        QTest::mouseMove(top->windowHandle(), at + QPoint(1, 0));
        QTest::mouseMove(top->windowHandle(), at);
        return true;
    }

    // A point of the window that no control covers.
    QPoint bareWindowPoint()
    {
        const QPoint p(ui::toPixels(4000), ui::toPixels(1200));
        return m_window->childAt(p) == nullptr ? p : QPoint(-1, -1);
    }

    void typeKey(const QString &text)
    {
        QTest::sendKeyEvent(QTest::Click, field(), Qt::Key_unknown, text, Qt::NoModifier);
    }

    void scrollTo(int value) { VScroll1()->setValue(value); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        face::substituteFonts();
    }

    void init() { openWindow(); }

    void cleanup() { closeWindow(); }

    // --- after load ---

    void loadShowsWelcome()
    {
        QCOMPARE(w().resultText(),
                 u"请输入梦境关键字，系统将会显示相关的分析资料和相关的参考关键字，尽量为你找到满意的解释。"
                 u"\r\n\r\n点击参考关键字，即可显示相关分析资料。"_s);
        QCOMPARE(lblDscr()->text(), w().resultText().replace(u"\r\n"_s, u"\n"_s));
        QCOMPARE(labels().size(), 2);
        QVERIFY(labels()[0]->isHidden());
        QCOMPARE(labels()[0]->caption(), u"参照关键字："_s);
        QCOMPARE(labels()[1]->caption(), QString());
        QCOMPARE(status(), ui::frmMain::defaultStatusText());
        QVERIFY(status().startsWith(u"下载站点：睿蓝软件"_s));
        QCOMPARE(txtWord()->text(), QString());
        QVERIFY(Frame1()->isVisible());
        QVERIFY(VScroll1()->isHidden());
    }

    // --- the pointer ---

    void pointerSetsStatus_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("expected");
        QTest::newRow("close button") << u"btnClose"_s << u"退出"_s;
        QTest::newRow("save button") << u"btnSave"_s << u"保存"_s;
        QTest::newRow("web button") << u"btnWeb"_s << u"相关网站"_s;
        QTest::newRow("input field") << u"field"_s << u"梦境关键字"_s;
        QTest::newRow("input button") << u"confirm"_s << u"梦境关键字"_s;
        QTest::newRow("bare window") << u"window"_s << ui::frmMain::defaultStatusText();
    }

    void pointerSetsStatus()
    {
        QFETCH(QString, where);
        QFETCH(QString, expected);
        QWidget *target = nullptr;
        QPoint at;
        if (where == u"btnClose")
            target = button(u"btnClose"_s);
        else if (where == u"btnSave")
            target = button(u"btnSave"_s);
        else if (where == u"btnWeb")
            target = button(u"btnWeb"_s);
        else if (where == u"field")
            target = field();
        else if (where == u"confirm")
            target = txtWord()->confirmButton();
        if (target) {
            at = target->rect().center();
        } else {
            target = m_window.get();
            at = bareWindowPoint();
        }
        w().ShowStatus(kMarker);
        QVERIFY(hover(target, at));
        QCOMPARE(status(), expected);
    }

    void pointerCrossingControls()
    {
        QVERIFY(hover(button(u"btnClose"_s), button(u"btnClose"_s)->rect().center()));
        QCOMPARE(status(), u"退出"_s);
        QVERIFY(hover(m_window.get(), bareWindowPoint()));
        QCOMPARE(status(), ui::frmMain::defaultStatusText());
        QVERIFY(hover(field(), field()->rect().center()));
        QCOMPARE(status(), u"梦境关键字"_s);
    }

    void hoverHighlightsOneKeyword()
    {
        w().RunQuery(u"香"_s);
        QCOMPARE(labels().size(), 6);
        const auto onlyHighlighted = [this](int index) {
            for (qsizetype i = 1; i < labels().size(); ++i) {
                if (textColor(labels()[i]) != (i == index ? kHover : kBlack))
                    return false;
            }
            return textColor(labels()[0]) == kHeaderColor;
        };
        QVERIFY(onlyHighlighted(-1));

        QVERIFY(hover(labels()[2], {3, 3}));
        QVERIFY(onlyHighlighted(2));
        QVERIFY(hover(labels()[5], {3, 3}));
        QVERIFY(onlyHighlighted(5));
        QVERIFY(hover(labels()[0], {3, 3}));
        QVERIFY(onlyHighlighted(5));
        QVERIFY(hover(lblDscr(), {3, 3}));
        QVERIFY(onlyHighlighted(5));
        QVERIFY(hover(Frame1(), {2, labels()[0]->y() + 2}));
        QVERIFY(onlyHighlighted(-1));
    }

    // --- queries ---

    void keywordOfSpacesShowsWelcome_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::newRow("empty") << QString();
        QTest::newRow("one space") << u" "_s;
        QTest::newRow("many spaces") << u"      "_s;
    }

    void keywordOfSpacesShowsWelcome()
    {
        QFETCH(QString, keyword);
        w().RunQuery(u"子"_s);
        QVERIFY(VScroll1()->isVisible());
        scrollTo(600);
        w().ShowStatus(kMarker);

        w().RunQuery(keyword);
        QCOMPARE(w().resultText(), ui::frmMain::welcomeText());
        QCOMPARE(status(), kMarker);
        QCOMPARE(VScroll1()->value(), 600);
        QCOMPARE(Frame1()->y(), -40);
        QCOMPARE(labels().size(), 2);
        QVERIFY(labels()[0]->isHidden());
        QVERIFY(labels()[1]->isHidden());
        QCOMPARE(w().shownReferences(), QStringList());
    }

    void spacesAroundKeywordAreTrimmed_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::newRow("before") << u"   钟"_s;
        QTest::newRow("after") << u"钟  "_s;
        QTest::newRow("both") << u" 钟 "_s;
    }

    void spacesAroundKeywordAreTrimmed()
    {
        QFETCH(QString, keyword);
        w().RunQuery(u"钟"_s);
        const QString text = w().resultText();
        const QStringList references = w().shownReferences();
        w().RunQuery(u"香"_s);
        w().RunQuery(keyword);
        QCOMPARE(w().resultText(), text);
        QCOMPARE(w().shownReferences(), references);
        QCOMPARE(status(), u"完成"_s);
    }

    void queryShowsResultAndKeywords_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("count");
        QTest::newRow("two keywords") << u"钟"_s << 2;
        QTest::newRow("five keywords") << u"香"_s << 5;
        QTest::newRow("one keyword") << u"黄昏"_s << 1;
        QTest::newRow("many keywords") << u"子"_s << 56;
        QTest::newRow("none") << u"浮萍"_s << 0;
    }

    void queryShowsResultAndKeywords()
    {
        QFETCH(QString, keyword);
        QFETCH(int, count);
        const modJieMEng::ShownResult expected = expectedResult(keyword);
        QCOMPARE(expected.references.size(), count);

        w().RunQuery(keyword);
        QCOMPARE(w().resultText(), expected.text);
        QCOMPARE(w().shownReferences(), expected.references);
        QCOMPARE(status(), u"完成"_s);
        QCOMPARE(labels().size(), std::max(count, 1) + 1);
        QCOMPARE(labels()[0]->isVisible(), count > 0);
        QCOMPARE(labels()[0]->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(Frame1()->isVisible());
        // The whole text is on screen, the keywords stand one line apart under the header.
        QVERIFY(lblDscr()->height() >= lblDscr()->heightForWidth(lblDscr()->width()));
        const int line = ui::toPixels(frmBack()->lineHeightTwips());
        QVERIFY(labels()[0]->y() >= lblDscr()->geometry().bottom() + 2 * line - 1);
        for (int i = 1; i <= count; ++i) {
            QCOMPARE(labels()[i]->caption(), expected.references[i - 1]);
            QVERIFY(labels()[i]->isVisible());
            QCOMPARE(textColor(labels()[i]), kBlack);
            QVERIFY(labels()[i]->width() >= labels()[i]->sizeHint().width());
            QCOMPARE(labels()[i]->cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(labels()[i]->cursor().hotSpot(), QPoint(12, 1));
            QVERIFY(qAbs(labels()[i]->y() - (labels()[0]->y() + (i + 1) * line)) <= 1);
        }
        if (count > 0)
            QVERIFY(Frame1()->height() >= labels()[count]->y() + 3 * line - 1);
    }

    void queryStartsAtTheTop()
    {
        w().RunQuery(u"子"_s);
        scrollTo(1500);
        QCOMPARE(Frame1()->y(), -100);
        w().RunQuery(u"子"_s);
        QCOMPARE(VScroll1()->value(), 0);
        QCOMPARE(Frame1()->pos(), QPoint(0, 0));
        QVERIFY(VScroll1()->isVisible());
    }

    void commaEndingBecomesFullStop()
    {
        // The shipped records hold two interpretations that end in "，".
        QList<QPair<QString, QString>> found;
        for (const QString &record : kb::BuildRecordTable().split(u'@', Qt::SkipEmptyParts)) {
            const QStringList fields = record.split(u'|');
            if (fields.size() >= 5 && fields[2].trimmed().endsWith(u'，'))
                found.append({fields[1].trimmed(), fields[2].trimmed()});
        }
        QCOMPARE(found.size(), 2);
        for (const auto &[keyword, interpretation] : std::as_const(found)) {
            w().RunQuery(keyword);
            QCOMPARE(w().resultText(), interpretation.chopped(1) + u'。');
            QVERIFY(w().resultText().count(u'，') == interpretation.count(u'，') - 1);
        }
    }

    void verseListEndsInFullStop()
    {
        QString keyword = u"天门开贵"_s;
        const QString verses = modJieMEng::FindOmenVerses(keyword, kb::verseTable());
        QVERIFY(verses.endsWith(u'；'));
        w().RunQuery(u"天门开贵"_s);
        QCOMPARE(w().resultText(), verses.chopped(1) + u'。');
    }

    void emptyInterpretationShowsKeywordsOnly()
    {
        w().RunQuery(u"黄昏"_s);
        QCOMPARE(w().resultText(), QString());
        QVERIFY(labels()[0]->isVisible());
        QCOMPARE(w().shownReferences(), QStringList{u"傍晚"_s});
        QVERIFY(labels()[1]->isVisible());
    }

    void nothingFoundShowsNoDataMessage()
    {
        w().RunQuery(u"香"_s);
        w().RunQuery(u"龘龘龘"_s);
        QCOMPARE(w().resultText(), modJieMEng::noDataMessage());
        QVERIFY(w().resultText().startsWith(u"资料暂缺！详细资料参见“睿蓝软件”"_s));
        QVERIFY(labels()[0]->isHidden());
        QVERIFY(labels()[1]->isHidden());
        QCOMPARE(status(), u"完成"_s);
    }

    void queryWithoutKeywordsLeavesTwoHiddenLabels()
    {
        w().RunQuery(u"子"_s);
        QCOMPARE(labels().size(), 57);
        w().RunQuery(u"浮萍"_s);
        QCOMPARE(labels().size(), 2);
        QVERIFY(labels()[0]->isHidden());
        QVERIFY(labels()[1]->isHidden());
        QCOMPARE(w().shownReferences(), QStringList());
        // The labels of the earlier query are gone, not merely hidden.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(Frame1()->findChildren<ui::ReferenceLabel *>().size(), 2);
    }

    void headerClickDoesNothing()
    {
        w().RunQuery(u"子"_s);
        scrollTo(300);
        w().ShowStatus(kMarker);
        const QString text = w().resultText();
        const QStringList references = w().shownReferences();
        QTest::mouseClick(labels()[0], Qt::LeftButton, {}, {3, 3});
        QCoreApplication::processEvents();
        QCOMPARE(w().resultText(), text);
        QCOMPARE(w().shownReferences(), references);
        QCOMPARE(txtWord()->text(), QString());
        QCOMPARE(status(), kMarker);
        QCOMPARE(VScroll1()->value(), 300);
    }

    void keywordClickRunsItsQuery_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("index");
        QTest::newRow("first label") << u"香"_s << 1;
        QTest::newRow("created label") << u"香"_s << 4;
        QTest::newRow("label far down a scrolled list") << u"子"_s << 40;
    }

    void keywordClickRunsItsQuery()
    {
        QFETCH(QString, first);
        QFETCH(int, index);
        w().RunQuery(first);
        if (VScroll1()->isVisible())
            scrollTo(VScroll1()->maximum());
        const QString caption = labels()[index]->caption();
        const modJieMEng::ShownResult expected = expectedResult(caption);

        QTest::mouseClick(labels()[index], Qt::LeftButton, {}, {3, 3});
        QCOMPARE(txtWord()->text(), caption);
        QCOMPARE(w().resultText(), expected.text);
        QCOMPARE(w().shownReferences(), expected.references);
        QCOMPARE(VScroll1()->value(), 0);
        QCOMPARE(Frame1()->pos(), QPoint(0, 0));
        QCOMPARE(status(), u"完成"_s);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void keywordWrittenByClickIsNotChecked()
    {
        w().RunQuery(u"钟"_s);
        ui::ReferenceLabel *second = nullptr;
        for (ui::ReferenceLabel *label : labels()) {
            if (label->caption() == u"钟2")
                second = label;
        }
        QVERIFY(second);
        w().ShowStatus(kMarker);
        QTest::mouseClick(second, Qt::LeftButton, {}, {3, 3});
        QCOMPARE(txtWord()->text(), u"钟2"_s);
        QCOMPARE(w().resultText(), u"梦见买钟，要走红运。"_s);
        QCOMPARE(status(), u"完成"_s);
    }

    // --- the keyword input ---

    void inputKeepsOnlyTwoByteCharacters_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursorAfter");

        QTest::newRow("letter after a character") << u"梦"_s << 1 << Entry::Key << u"a"_s << u"梦"_s << 1;
        QTest::newRow("letter in the middle") << u"梦见"_s << 1 << Entry::Key << u"a"_s << u"梦见"_s << 1;
        QTest::newRow("letter at the start") << u"梦见"_s << 0 << Entry::Key << u"a"_s << u"梦见"_s << 0;
        QTest::newRow("half-width digit") << u"钟"_s << 1 << Entry::Key << u"2"_s << u"钟"_s << 1;
        QTest::newRow("half-width comma") << u"梦"_s << 1 << Entry::Key << u","_s << u"梦"_s << 1;
        QTest::newRow("half-width space") << u"梦"_s << 1 << Entry::Key << u" "_s << u"梦"_s << 1;
        QTest::newRow("digit after the end of a clicked keyword")
            << u"钟2"_s << 2 << Entry::Key << u"a"_s << u"钟"_s << 1;
        QTest::newRow("character inside a clicked keyword")
            << u"钟2"_s << 1 << Entry::Key << u"见"_s << u"钟见"_s << 2;
        QTest::newRow("euro sign, one byte") << QString() << 0 << Entry::Key << u"€"_s << QString() << 0;
        QTest::newRow("emoji, no encoding") << u"梦"_s << 1 << Entry::Key << u"😀"_s << u"梦"_s << 1;
        QTest::newRow("Chinese character") << u"梦"_s << 1 << Entry::Key << u"见"_s << u"梦见"_s << 2;
        QTest::newRow("full-width capital") << u"梦"_s << 1 << Entry::Key << u"Ａ"_s << u"梦Ａ"_s << 2;
        QTest::newRow("full-width small") << QString() << 0 << Entry::Key << u"ｚ"_s << u"ｚ"_s << 1;
        QTest::newRow("full-width comma") << u"梦"_s << 1 << Entry::Key << u"，"_s << u"梦，"_s << 2;
        QTest::newRow("ideographic space") << u"梦"_s << 0 << Entry::Key << u"\u3000"_s << u"\u3000梦"_s << 1;
        QTest::newRow("pasted mixed text")
            << QString() << 0 << Entry::Insert << u"a梦b见"_s << u"梦见"_s << 2;
        QTest::newRow("pasted into the middle")
            << u"梦见"_s << 1 << Entry::Insert << u"x天 y"_s << u"梦天见"_s << 2;
        QTest::newRow("pasted valid text") << u"梦"_s << 1 << Entry::Insert << u"见钟"_s << u"梦见钟"_s << 3;
        QTest::newRow("committed mixed text")
            << QString() << 0 << Entry::Commit << u"a梦b见"_s << u"梦见"_s << 2;
        QTest::newRow("committed Chinese") << u"梦"_s << 1 << Entry::Commit << u"见"_s << u"梦见"_s << 2;
    }

    void inputKeepsOnlyTwoByteCharacters()
    {
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(Entry, entry);
        QFETCH(QString, entered);
        QFETCH(QString, after);
        QFETCH(int, cursorAfter);

        field()->setText(before);
        field()->setCursorPosition(cursor);
        w().ShowStatus(kMarker);
        switch (entry) {
        case Entry::Key: typeKey(entered); break;
        case Entry::Insert: field()->insert(entered); break;
        case Entry::Commit: {
            QInputMethodEvent commit;
            commit.setCommitString(entered);
            QApplication::sendEvent(field(), &commit);
            break;
        }
        }
        QCOMPARE(field()->text(), after);
        QCOMPARE(field()->cursorPosition(), cursorAfter);
        const bool rejected = after.size() != before.size() + entered.size();
        QCOMPARE(status(), rejected ? kInvalidInput : kMarker);
        QVERIFY(field()->hasFocus());
        // Typing alone never runs a query.
        QCOMPARE(w().resultText(), ui::frmMain::welcomeText());
    }

    void rejectionBringsFocusBack()
    {
        button(u"btnSave"_s)->setFocus(Qt::TabFocusReason);
        QVERIFY(!field()->hasFocus());
        field()->insert(u"梦a"_s);
        QCOMPARE(field()->text(), u"梦"_s);
        QCOMPARE(status(), kInvalidInput);
        QVERIFY(field()->hasFocus());
    }

    void typingAfterRejectionGoesOn()
    {
        typeKey(u"梦"_s);
        typeKey(u"a"_s);
        QCOMPARE(field()->text(), u"梦"_s);
        QCOMPARE(status(), kInvalidInput);
        typeKey(u"见"_s);
        QCOMPARE(field()->text(), u"梦见"_s);
        // The message stays until the status bar is next written.
        QCOMPARE(status(), kInvalidInput);
    }

    void queryStartsFromTheInput_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("runs");
        QTest::newRow("Enter key") << u"enter"_s << true;
        QTest::newRow("Return key") << u"return"_s << true;
        QTest::newRow("picture button") << u"button"_s << true;
        QTest::newRow("focus to a button") << u"tab"_s << true;
        QTest::newRow("focus to another program") << u"deactivate"_s << false;
        QTest::newRow("focus to a popup") << u"popup"_s << false;
    }

    void queryStartsFromTheInput()
    {
        QFETCH(QString, how);
        QFETCH(bool, runs);
        typeKey(u"钟"_s);
        typeKey(u" "_s); // rejected: the input keeps "钟"
        w().ShowStatus(kMarker);
        std::unique_ptr<QWidget> other;
        if (how == u"enter") {
            QTest::keyClick(field(), Qt::Key_Enter);
        } else if (how == u"return") {
            QTest::keyClick(field(), Qt::Key_Return);
        } else if (how == u"button") {
            QTest::mouseClick(txtWord()->confirmButton(), Qt::LeftButton);
        } else if (how == u"tab") {
            button(u"btnSave"_s)->setFocus(Qt::TabFocusReason);
        } else if (how == u"deactivate") {
            other = std::make_unique<QWidget>();
            other->show();
            QApplication::setActiveWindow(other.get());
            QVERIFY(QTest::qWaitForWindowActive(other.get()));
            QVERIFY(!field()->hasFocus());
        } else {
            QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
            QApplication::sendEvent(field(), &popup);
        }
        if (runs) {
            QCOMPARE(w().resultText(), expectedResult(u"钟"_s).text);
            QCOMPARE(w().shownReferences(), expectedResult(u"钟"_s).references);
            QCOMPARE(status(), u"完成"_s);
        } else {
            QCOMPARE(w().resultText(), ui::frmMain::welcomeText());
            QCOMPARE(status(), kMarker);
        }
        QCOMPARE(txtWord()->text(), u"钟"_s);
    }

    void leavingEmptyInputShowsWelcome()
    {
        w().RunQuery(u"香"_s);
        button(u"btnSave"_s)->setFocus(Qt::TabFocusReason);
        QCOMPARE(w().resultText(), ui::frmMain::welcomeText());
        QVERIFY(labels()[0]->isHidden());
    }

    // --- scrolling ---

    void scrollValueMovesPanel_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("start") << 0;
        QTest::newRow("one step") << 15;
        QTest::newRow("further") << 1500;
        QTest::newRow("not a whole pixel") << 100;
        QTest::newRow("end") << -1;
    }

    void scrollValueMovesPanel()
    {
        QFETCH(int, value);
        w().RunQuery(u"子"_s);
        QScrollBar *bar = VScroll1();
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->minimum(), 0);
        if (value < 0)
            value = bar->maximum();
        scrollTo(1200);
        scrollTo(value);
        QCOMPARE(Frame1()->y(), -qRound(value / 15.0));
        QCOMPARE(Frame1()->x(), 0);
        if (value == bar->maximum()) {
            // The last keyword is in view, above an empty area.
            const QWidget *last = labels().last();
            const int bottom = Frame1()->y() + last->geometry().bottom();
            QVERIFY(bottom < frmFore()->height());
            QVERIFY(Frame1()->y() + last->y() > 0);
        }
    }

    void scrollRangeIsNotCapped()
    {
        const QString keyword = everyKeywordCharacter();
        const modJieMEng::ShownResult expected = expectedResult(keyword);
        QVERIFY(expected.references.size() > 300);

        w().RunQuery(keyword);
        QCOMPARE(labels().size(), expected.references.size() + 1);
        QCOMPARE(w().shownReferences(), expected.references);
        QScrollBar *bar = VScroll1();
        const ui::WindowGeometry &g = w().geometryInTwips();
        QVERIFY(bar->maximum() > 32767);
        QCOMPARE(bar->maximum(), g.Frame1.height - g.frmFore.height);
        scrollTo(bar->maximum());
        QCOMPARE(bar->value(), bar->maximum());
        const QWidget *last = labels().last();
        const int top = Frame1()->y() + last->y();
        QVERIFY(top > 0);
        QVERIFY(top + last->height() < frmFore()->height());
    }

    void resizeKeepsScrollPosition()
    {
        w().RunQuery(u"子"_s);
        scrollTo(1500);
        w().resize(w().width() + 100, w().height() + 30);
        QCOMPARE(VScroll1()->value(), 1500);
        QCOMPARE(Frame1()->y(), -100);
    }

    void growingWindowBringsScrolledPanelBack()
    {
        w().RunQuery(u"子"_s);
        scrollTo(VScroll1()->maximum());
        w().resize(w().width(), 1400);
        QVERIFY(VScroll1()->isHidden());
        QCOMPARE(VScroll1()->value(), 0);
        QCOMPARE(VScroll1()->maximum(), 0);
        QCOMPARE(Frame1()->y(), 0);
    }

    void widerWindowRewrapsResult()
    {
        w().RunQuery(u"说梦话"_s);
        const int textHeight = lblDscr()->height();
        const int headerTop = labels()[0]->y();
        w().resize(w().width() + 300, w().height());
        QVERIFY(lblDscr()->height() < textHeight);
        QCOMPARE(labels()[0]->y() - headerTop, lblDscr()->height() - textHeight);
    }
    // --- the title bar ---

    void maximiseButtonFollowsTheWindow()
    {
        QAbstractButton *button = titleBar()->maximizeButton();
        QCOMPARE(button->accessibleName(), u"最大化"_s);
        button->click();
        QTRY_VERIFY(w().isMaximized());
        QTRY_COMPARE(button->accessibleName(), u"还原"_s);
        // Restored by the window system rather than by the button.
        w().showNormal();
        QTRY_COMPARE(button->accessibleName(), u"最大化"_s);
        QTest::mouseDClick(titleBar(), Qt::LeftButton, {}, QPoint(40, 8));
        QTRY_VERIFY(w().isMaximized());
    }

    // --- the keyboard and assistive technology ---

    void everyControlHasAnAccessibleName()
    {
        w().RunQuery(u"子"_s);
        for (ui::ToolButton *button : {button(u"btnSave"_s), button(u"btnCopy"_s), button(u"btnPrint"_s),
                                       button(u"btnWeb"_s), button(u"btnClose"_s)})
            QCOMPARE(button->accessibleName(), button->hint());
        QCOMPARE(field()->accessibleName(), u"梦境关键字"_s);
        QCOMPARE(lblDscr()->accessibleName(), lblDscr()->text());
        QVERIFY(labels().size() > 5);
        for (qsizetype i = 1; i < labels().size(); ++i)
            QCOMPARE(labels()[i]->accessibleName(), labels()[i]->caption());
    }

    void tabGoesFromTheInputThroughTheKeywordsToTheButtons()
    {
        // Leaving the input runs its query again, so the input holds the keyword shown.
        txtWord()->setText(u"黄昏"_s); // one keyword: 傍晚
        w().RunQuery(txtWord()->text());
        QVERIFY(field()->hasFocus());
        QTest::keyClick(field(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), lblDscr());
        QTest::keyClick(lblDscr(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), labels()[1]);
        QTest::keyClick(labels()[1], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button(u"btnSave"_s));
        QTest::keyClick(button(u"btnSave"_s), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), labels()[1]);
    }

    // --- keeping the keyboard in view, the resize pointer, undoing after the check ---

    void keyboardFocusStaysInView_data()
    {
        QTest::addColumn<bool>("backwards");
        QTest::newRow("Tab down the list") << false;
        QTest::newRow("Shift+Tab up the list") << true;
    }

    void keyboardFocusStaysInView()
    {
        QFETCH(bool, backwards);
        txtWord()->setText(u"子"_s);
        w().RunQuery(txtWord()->text());
        const int count = int(labels().size() - 1);
        QVERIFY(count > 40);
        QVERIFY(VScroll1()->isVisible());
        // Backwards starts from the first button, whose Shift+Tab reaches the last keyword.
        QWidget *start = backwards ? static_cast<QWidget *>(button(u"btnSave"_s)) : lblDscr();
        start->setFocus(Qt::TabFocusReason);
        QTest::keyClick(start, backwards ? Qt::Key_Backtab : Qt::Key_Tab);
        const auto inView = [this](QWidget *label) {
            return frmFore()->rect().contains(QRect(label->mapTo(frmFore(), QPoint(0, 0)), label->size()));
        };
        for (int step = 0; step < count; ++step) {
            const int i = backwards ? count - step : step + 1;
            ui::ReferenceLabel *label = labels()[i];
            QCOMPARE(QApplication::focusWidget(), label);
            QVERIFY2(inView(label), qPrintable(u"keyword %1 of %2 is out of view"_s.arg(i).arg(count)));
            if (step == count / 2) {
                // The focus frame is drawn: the focused label looks unlike itself unfocused.
                const QImage focused = label->grab().toImage();
                button(u"btnSave"_s)->setFocus(Qt::OtherFocusReason);
                QVERIFY(label->grab().toImage() != focused);
                label->setFocus(Qt::TabFocusReason);
            }
            if (step + 1 < count)
                QTest::keyClick(label, backwards ? Qt::Key_Backtab : Qt::Key_Tab);
        }
        // The scroll bar followed the keyboard.
        QVERIFY(backwards ? VScroll1()->value() < VScroll1()->maximum() : VScroll1()->value() > 0);
    }

    void edgePointerShowsResizeDirection_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("shape");
        QTest::newRow("top-left corner") << u"top-left"_s << int(Qt::SizeFDiagCursor);
        QTest::newRow("top-left corner, over the title bar") << u"title-bar"_s << int(Qt::SizeFDiagCursor);
        QTest::newRow("top-right corner") << u"top-right"_s << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom-left corner") << u"bottom-left"_s << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom-right corner") << u"bottom-right"_s << int(Qt::SizeFDiagCursor);
        QTest::newRow("left edge") << u"left"_s << int(Qt::SizeHorCursor);
        QTest::newRow("bottom edge") << u"bottom"_s << int(Qt::SizeVerCursor);
    }

    void edgePointerShowsResizeDirection()
    {
        QFETCH(QString, where);
        QFETCH(int, shape);
        const int right = w().width() - 1;
        const int bottom = w().height() - 1;
        const QHash<QString, QPoint> points{
            {u"top-left"_s, {0, 0}},
            {u"title-bar"_s, {2, 2}},
            {u"top-right"_s, {right, 0}},
            {u"bottom-left"_s, {0, bottom}},
            {u"bottom-right"_s, {right, bottom}},
            {u"left"_s, {0, bottom / 2}},
            {u"bottom"_s, {right / 2, bottom}},
        };
        const QPoint at = points.value(where);
        QWidget *under = w().childAt(at);
        QWidget *target = under ? under : m_window.get();
        QCOMPARE(under == titleBar(), where == u"title-bar");
        QVERIFY(hover(target, target->mapFrom(m_window.get(), at)));
        QCOMPARE(int(target->cursor().shape()), shape);
    }

    void undoAfterRejectionGoesBehindTheTyping_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("undone");
        QTest::newRow("typed letter after typed characters")
            << QString() << Entry::Key << u"梦见a"_s << u"梦见"_s << QString();
        QTest::newRow("pasted mixed text") << u"钟"_s << Entry::Insert << u"a梦b"_s << u"钟梦"_s << u"钟"_s;
    }

    void undoAfterRejectionGoesBehindTheTyping()
    {
        QFETCH(QString, before);
        QFETCH(Entry, entry);
        QFETCH(QString, entered);
        QFETCH(QString, checked);
        QFETCH(QString, undone);
        field()->setText(before);
        field()->setCursorPosition(int(before.size()));
        if (entry == Entry::Key) {
            for (const QChar c : entered)
                typeKey(QString(c));
        } else {
            field()->insert(entered);
        }
        QCOMPARE(field()->text(), checked);
        QCOMPARE(status(), kInvalidInput);
        // Undo takes back the user's edit; the rejected characters never come back.
        QTest::keyClick(field(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(field()->text(), undone);
    }

    void keyOnAKeywordRunsItsQuery_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void keyOnAKeywordRunsItsQuery()
    {
        QFETCH(int, key);
        txtWord()->setText(u"子"_s);
        w().RunQuery(txtWord()->text());
        // Tab leaves the input (which runs its query again) for the result text, then goes
        // on to the first keyword and the second.
        QTest::keyClick(field(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), lblDscr());
        QTest::keyClick(lblDscr(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ui::ReferenceLabel *second = labels()[2];
        QCOMPARE(QApplication::focusWidget(), second);
        const QString keyword = second->caption();
        QTest::keyClick(second, Qt::Key(key));
        QCOMPARE(txtWord()->text(), keyword);
        QCOMPARE(w().resultText(), expectedResult(keyword).text);
        QCOMPARE(w().shownReferences(), expectedResult(keyword).references);
        // The keyboard stays in the results, on the new result text.
        QCOMPARE(QApplication::focusWidget(), lblDscr());
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frm_main.moc"
