// SPDX-License-Identifier: GPL-3.0-or-later
// Typing a keyword with a pinyin input method, as most Chinese users do: fcitx5 on a private
// X display and D-Bus session, the real program, keys pressed with xdotool. What the
// program shows is read from the screen (the status bar, the result area) and from the
// X clipboard after a click on the copy button.

#include "desktop_session.h"
#include "private_servers.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// Places inside the window as it opens (pixels): the keyword input, the copy button, the
// status bar and the result area below the input.
constexpr QRect kKeywordInput{8, 72, 185, 20};
constexpr QPoint kCopyButton{37 + 12, 32 + 12};
QRect statusBarIn(QSize window)
{
    return {8, window.height() - 20, window.width() - 16, 14};
}
QRect resultAreaIn(QSize window)
{
    return {8, 110, window.width() - 16, window.height() - 140};
}

// fcitx5's window of candidates, shown while a syllable is being composed.
const QString kCandidateWindow = u"^Fcitx5 Input Window$"_s;

QString describe(const QRect &r)
{
    return u"(%1, %2) %3 × %4"_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

class TestInputMethod : public QObject
{
    Q_OBJECT

    QProcessEnvironment m_env;
    QString m_window;

    bool xdotool(const QStringList &args) const { return e2e::runTool(u"xdotool"_s, args, m_env).ok; }

    QImage windowImage() const
    {
        const e2e::ToolRun shot = e2e::runTool(u"import"_s, {u"-window"_s, m_window, u"png:-"_s}, m_env);
        return shot.ok ? QImage::fromData(shot.out, "PNG") : QImage();
    }

    // Waits until the candidate window is shown, or hidden; its place while shown.
    std::optional<QRect> waitForCandidates(bool shown) const
    {
        QElapsedTimer t;
        t.start();
        do {
            const e2e::ToolRun run = e2e::runTool(
                u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, kCandidateWindow}, m_env, 5000);
            const QByteArray id = run.out.trimmed().split('\n').first();
            if (shown && !id.isEmpty())
                return e2e::settledXWindowGeometry(QString::fromLatin1(id), m_env);
            if (!shown && id.isEmpty())
                return QRect();
            QThread::msleep(100);
        } while (t.elapsed() < 15000);
        return std::nullopt;
    }

    QByteArray clipboardAfterCopy() const
    {
        if (!xdotool({u"mousemove"_s, u"--window"_s, m_window, QString::number(kCopyButton.x()),
                      QString::number(kCopyButton.y()), u"click"_s, u"1"_s}))
            return {};
        return e2e::readClipboard(m_env);
    }

private slots:
    void initTestCase()
    {
        if (const QString missing = e2e::missingPart({u"xdotool"_s, u"xprop"_s, u"import"_s, u"xclip"_s});
            !missing.isEmpty())
            QSKIP(qPrintable(missing));
        if (const QString missing = e2e::InputMethod::missingPart(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
    }

    // zhong + space gives 中 without a word of complaint, the candidates open under the
    // input, Escape drops a syllable being composed without running a query, Enter runs the
    // query for what was committed. A second fresh start under a window manager, since where
    // a window believes it is could differ from one start to the next (the window's place
    // itself is checked over many starts with the window place test).
    void pinyinTypesKeyword_data()
    {
        QTest::addColumn<bool>("withWindowManager");
        QTest::addColumn<int>("starts");
        // The bare display first, while no window manager has left its marks on it.
        QTest::newRow("bare X server") << false << 1;
        QTest::newRow("openbox") << true << 2;
    }

    void pinyinTypesKeyword()
    {
        QFETCH(bool, withWindowManager);
        QFETCH(int, starts);
        e2e::WindowManager wm;
        e2e::InputMethod im;
        QString error;
        if (withWindowManager)
            QVERIFY2(wm.start(&error), qPrintable(error));
        QVERIFY2(im.start(&error), qPrintable(error));
        m_env = im.clientEnvironment();

        for (int start = 1; start <= starts; ++start) {
            const QString at = u"start %1: "_s.arg(start);
            QProcess app;
            QRect window;
            m_window = e2e::startProgram(app, m_env, {}, &window);
            QVERIFY2(!m_window.isEmpty(), "the main window did not appear");
            // The pointer off the window, so that no hover text enters the status bar.
            QVERIFY(xdotool({u"mousemove"_s, u"1"_s, u"1"_s}));
            QVERIFY(xdotool({u"windowfocus"_s, u"--sync"_s, m_window}));
            QThread::msleep(300);
            const QImage opened = windowImage();
            QVERIFY(!opened.isNull());
            const QRect status = statusBarIn(window.size());
            const QRect results = resultAreaIn(window.size());

            // Composing: the candidates open just under the keyword input.
            QVERIFY(xdotool({u"type"_s, u"--delay"_s, u"80"_s, u"zhong"_s}));
            const std::optional<QRect> candidates = waitForCandidates(true);
            QVERIFY2(candidates, qPrintable(at + u"no candidate window appeared while composing"_s));
            const QRect input = kKeywordInput.translated(window.topLeft());
            const QString place =
                at + u"candidates at "_s + describe(*candidates) + u", keyword input at "_s + describe(input);
            QVERIFY2(candidates->left() >= input.left() && candidates->left() <= input.right(),
                     qPrintable(place));
            QVERIFY2(candidates->top() >= input.center().y() && candidates->top() <= input.bottom() + 12,
                     qPrintable(place));
            QVERIFY2(windowImage().copy(status) == opened.copy(status),
                     qPrintable(at + u"the status bar changed while composing"_s));

            // Committing 中: no complaint in the status bar.
            QVERIFY(xdotool({u"key"_s, u"space"_s}));
            QVERIFY2(waitForCandidates(false), "the candidates stayed open after the commit");
            QThread::msleep(300);
            const QImage committed = windowImage();
            QVERIFY2(committed.copy(status) == opened.copy(status),
                     qPrintable(at + u"the status bar changed when 中 was committed"_s));

            // Escape drops the syllable being composed and runs no query.
            QVERIFY(xdotool({u"type"_s, u"--delay"_s, u"80"_s, u"meng"_s}));
            QVERIFY2(waitForCandidates(true), "no candidate window appeared for the second syllable");
            QVERIFY(xdotool({u"key"_s, u"Escape"_s}));
            QVERIFY2(waitForCandidates(false), "Escape left the candidates open");
            QThread::msleep(300);
            const QImage escaped = windowImage();
            QVERIFY2(escaped.copy(status) == opened.copy(status),
                     qPrintable(at + u"the status bar changed after Escape"_s));
            // The committed 中 has opened the suggestions over the result area; the
            // composition's Escape belongs to the input method and leaves them as they were.
            QVERIFY2(escaped.copy(results) == committed.copy(results),
                     qPrintable(at + u"the result area changed after Escape: a query ran"_s));

            // Enter runs the query for the committed keyword alone.
            QVERIFY(xdotool({u"key"_s, u"Return"_s}));
            QTRY_VERIFY2_WITH_TIMEOUT(windowImage().copy(results) != opened.copy(results),
                                      qPrintable(at + u"Enter showed no result"_s), 5000);
            QCOMPARE(QString::fromUtf8(clipboardAfterCopy()), e2e::expectedReport(u"中"_s));

            testsupport::stopProcess(app);
        }
    }
};

QTEST_GUILESS_MAIN(TestInputMethod)
#include "tst_input_method.moc"
