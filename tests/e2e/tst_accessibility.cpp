// SPDX-License-Identifier: GPL-3.0-or-later
// The real window as a screen reader meets it: the program on an X display, a session bus
// and an accessibility bus of the test's own; a client of that bus (a11y_probe.py, reading
// it as Orca does) reports the objects, the focus and the events, and activates objects;
// keys are typed with xdotool.

#include "desktop_session.h"
#include "kb/store.h"
#include "kb/tables.h"
#include "lookup/mod_jie_meng.h"
#include "lookup/result.h"
#include "private_servers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString kPython = u"/usr/bin/python3"_s;

// The result text as the window shows it for `keyword`, line breaks as the label has them.
QString shownText(const QString &keyword)
{
    QString k = keyword;
    return modJieMEng::showResult(modJieMEng::LookupKeyword(k)).text.replace(u"\r\n"_s, u"\n"_s);
}

bool is(const QJsonObject &o, const QString &role, const QString &name)
{
    return o[u"role"_s].toString() == role && o[u"name"_s].toString() == name;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    testsupport::XServer m_x;
    e2e::AccessibilityBus m_bus;
    QProcess m_app;
    QProcess m_probe;
    QProcessEnvironment m_env;

    QJsonValue ask(const QJsonArray &command)
    {
        m_probe.write(QJsonDocument(command).toJson(QJsonDocument::Compact) + '\n');
        while (!m_probe.canReadLine() && m_probe.waitForReadyRead(20000)) { }
        return QJsonDocument::fromJson('[' + m_probe.readLine() + ']').array().first();
    }

    bool keys(const QStringList &keys)
    {
        return e2e::runTool(u"xdotool"_s, QStringList{u"key"_s, u"--delay"_s, u"150"_s} + keys, m_env).ok;
    }

    // Whether an event matching `done` arrives within 10 s; the events until then in `all`.
    bool eventsUntil(const std::function<bool(const QJsonObject &)> &done, QJsonArray *all = nullptr)
    {
        QJsonArray seen;
        const bool found = testsupport::waitFor(
            [&] {
                bool found = false;
                for (const QJsonValue e : ask({u"events"_s}).toArray()) {
                    seen.append(e);
                    found = found || done(e.toObject());
                }
                return found;
            },
            10000);
        if (all)
            *all = seen;
        if (!found)
            qWarning("events received meanwhile: %s",
                     QJsonDocument(seen).toJson(QJsonDocument::Compact).constData());
        return found;
    }

    bool announcementOf(const QString &keyword)
    {
        return eventsUntil([&](const QJsonObject &e) {
            return e[u"type"_s] == u"object:state-changed:showing"_s && e[u"detail1"_s] == 1
                   && e[u"role"_s] == u"notification"_s
                   && e[u"name"_s].toString().startsWith(keyword + u"："_s)
                   && e[u"name"_s].toString().contains(shownText(keyword).replace(u'\n', u' ').trimmed());
        });
    }

    QJsonArray tree() { return ask({u"tree"_s})[u"nodes"_s].toArray(); }
    QJsonArray focused() { return ask({u"focused"_s}).toArray(); }

    // Whether `key` moves the keyboard to `role` `name`, no other object taking the focus on
    // its way.
    bool focusMovesTo(const QString &key, const QString &role, const QString &name)
    {
        ask({u"events"_s});
        QJsonArray seen;
        const bool arrived = keys({key})
                             && eventsUntil(
                                 [&](const QJsonObject &e) {
                                     return e[u"type"_s] == u"object:state-changed:focused"_s
                                            && e[u"detail1"_s] == 1 && is(e, role, name);
                                 },
                                 &seen);
        for (const QJsonValue e : seen) {
            if (e[u"type"_s] == u"object:state-changed:focused"_s && e[u"detail1"_s] == 1
                && !is(e.toObject(), role, name)) {
                qWarning("the focus passed through %s %s", qPrintable(e[u"role"_s].toString()),
                         qPrintable(e[u"name"_s].toString()));
                return false;
            }
        }
        return arrived && is(focused().last().toObject(), role, name);
    }

private slots:
    void initTestCase()
    {
        if (testsupport::findTool(u"xdotool"_s).isEmpty())
            QSKIP("xdotool is not installed (scripts/install-deps.sh installs it)");
        if (const QString missing = e2e::AccessibilityBus::missingPart(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        if (!e2e::runTool(kPython, {u"-c"_s, u"import gi; gi.require_version('Atspi', '2.0')"_s},
                          QProcessEnvironment::systemEnvironment())
                 .ok)
            QSKIP("Python's AT-SPI client is not installed (python3-gi, gir1.2-atspi-2.0; "
                  "scripts/install-deps.sh installs them)");
        kb::storeVerseTable(kb::BuildVerseTable());
        kb::storeRecordTable(kb::BuildRecordTable());

        QString error;
        QVERIFY2(m_x.start(&error), qPrintable(error));
        const QProcessEnvironment xEnv = e2e::inUtf8Locale(m_x.environment());
        QVERIFY2(m_bus.start(xEnv, &error), qPrintable(error));
        m_env = m_bus.environment(xEnv);
        m_app.setProcessEnvironment(m_env);
        m_app.setProcessChannelMode(QProcess::ForwardedChannels);
        testsupport::startTiedToThisProcess(m_app, QStringLiteral(MENGJIAN_APP_PATH), {});
        const QString window = e2e::findVisibleWindow(u"^梦鉴$"_s, m_env);
        QVERIFY2(!window.isEmpty(), "the main window did not appear");
        QVERIFY(e2e::runTool(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, window}, m_env).ok);

        m_probe.setProcessEnvironment(m_env);
        m_probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        testsupport::startTiedToThisProcess(m_probe, kPython,
                                            {QStringLiteral(MENGJIAN_A11Y_PROBE), u"梦鉴"_s});
        QVERIFY(m_probe.waitForStarted(5000));
        while (!m_probe.canReadLine() && m_probe.waitForReadyRead(40000)) { }
        QCOMPARE(m_probe.readLine().trimmed(), QByteArray(R"({"ready": true})"));
    }

    void cleanupTestCase()
    {
        testsupport::stopProcess(m_probe);
        testsupport::stopProcess(m_app);
        m_bus.stop();
        m_x.stop();
    }

    // Typed and confirmed in the input, the query is announced; the tree then holds the
    // keyword labels as links with a press action, and the status bar with its text.
    void queryIsAnnouncedAndItsKeywordsAreLinks()
    {
        QVERIFY(e2e::runTool(u"xdotool"_s, {u"type"_s, u"--delay"_s, u"120"_s, u"钟"_s}, m_env).ok);
        QVERIFY(keys({u"Return"_s}));
        QVERIFY(announcementOf(u"钟"_s));

        QStringList links;
        QJsonObject statusBar;
        for (const QJsonValue v : tree()) {
            const QJsonObject n = v.toObject();
            qInfo("%s%s \"%s\" %s", qPrintable(QString(n[u"depth"_s].toInt() * 2, u' ')),
                  qPrintable(n[u"role"_s].toString()), qPrintable(n[u"name"_s].toString().left(40)),
                  qPrintable(n[u"actions"_s].toVariant().toStringList().join(u',')));
            if (n[u"role"_s] == u"link"_s && n[u"actions"_s].toVariant().toStringList().contains(u"Press"_s))
                links.append(n[u"name"_s].toString());
            if (n[u"role"_s] == u"status bar"_s)
                statusBar = n;
        }
        QString keyword = u"钟"_s;
        QCOMPARE(links, modJieMEng::showResult(modJieMEng::LookupKeyword(keyword)).references);
        QCOMPARE(statusBar[u"name"_s].toString(), u"完成"_s);
    }

    // Tab goes from the input straight to the result text, which a screen reader then
    // reads, and on to the first keyword; back from the input, the title bar's buttons.
    void keyboardReachesResultKeywordsAndTitleBar()
    {
        const QString input = u"梦境关键字"_s;
        QVERIFY(is(focused().last().toObject(), u"text"_s, input));
        QVERIFY(focusMovesTo(u"Tab"_s, u"label"_s, shownText(u"钟"_s)));
        QVERIFY(focusMovesTo(u"Tab"_s, u"link"_s, u"钟2"_s));
        QVERIFY(ask({u"act"_s, u"text"_s, input, u"SetFocus"_s})[u"ok"_s].toBool());
        QVERIFY(focusMovesTo(u"shift+Tab"_s, u"push button"_s, u"关于"_s));
        QVERIFY(focusMovesTo(u"shift+Tab"_s, u"push button"_s, u"最大化"_s));
        QVERIFY(focusMovesTo(u"shift+Tab"_s, u"push button"_s, u"最小化"_s));
        QVERIFY(ask({u"act"_s, u"text"_s, input, u"SetFocus"_s})[u"ok"_s].toBool());
    }

    // A keyword label pressed through the accessibility bus runs its query.
    void keywordPressedThroughTheBusRunsItsQuery()
    {
        ask({u"events"_s});
        QVERIFY(ask({u"act"_s, u"link"_s, u"钟2"_s, u"press"_s})[u"ok"_s].toBool());
        QVERIFY(announcementOf(u"钟2"_s));
    }

    // The suggestion list's entries are list items found by name; Down and Up move the
    // highlight, which a screen reader announces, while the input keeps the keyboard.
    void suggestionsAreReadByName()
    {
        QVERIFY(keys({u"ctrl+a"_s, u"BackSpace"_s}));
        QVERIFY(e2e::runTool(u"xdotool"_s, {u"type"_s, u"--delay"_s, u"120"_s, u"钟"_s}, m_env).ok);
        QStringList items;
        testsupport::waitFor(
            [&] {
                items.clear();
                for (const QJsonValue v : tree()) {
                    if (v[u"role"_s] == u"list item"_s)
                        items.append(v[u"name"_s].toString());
                }
                return !items.isEmpty();
            },
            10000);
        QCOMPARE(items, (QStringList{u"钟"_s, u"钟2"_s, u"闹钟"_s}));

        for (const auto &[key, entry] :
             {std::pair{u"Down"_s, u"钟"_s}, {u"Down"_s, u"钟2"_s}, {u"Up"_s, u"钟"_s}}) {
            const QString selected = entry; // a copy the lambda below can take
            ask({u"events"_s});
            QVERIFY(keys({key}));
            // The highlighted item is announced as the current one (Orca moves there).
            QVERIFY2(eventsUntil([&](const QJsonObject &e) {
                         return e[u"type"_s] == u"object:state-changed:focused"_s && e[u"detail1"_s] == 1
                                && is(e, u"list item"_s, selected);
                     }),
                     qPrintable(key + u": the highlight was not announced"_s));
            QCOMPARE(ask({u"selected"_s, u"list"_s, u"关键字提示"_s}).toVariant().toStringList(),
                     QStringList{selected});
        }
        QVERIFY(focused().contains(QJsonObject{{u"role"_s, u"text"_s}, {u"name"_s, u"梦境关键字"_s}}));
        // Closed, the list hands the screen reader back to the input.
        QVERIFY(focusMovesTo(u"Escape"_s, u"text"_s, u"梦境关键字"_s));
    }
};

QTEST_GUILESS_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
