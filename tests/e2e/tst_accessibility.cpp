// SPDX-License-Identifier: GPL-3.0-or-later
// The real window as a screen reader meets it: the program on an X display, a session bus
// and an accessibility bus of the test's own; a client of that bus (a11y_probe.py, reading
// it as Orca does) reports the objects, the focus and the events, and presses objects;
// keys are typed with xdotool.

#include "desktop_session.h"
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
const QString kInput = u"梦境关键字"_s;

modJieMEng::ShownResult shown(QString keyword)
{
    modJieMEng::ShownResult r = modJieMEng::showResult(modJieMEng::LookupKeyword(keyword));
    r.text.replace(u"\r\n"_s, u"\n"_s); // as the label has it
    return r;
}

QJsonObject object(const QString &role, const QString &name)
{
    return {{u"role"_s, role}, {u"name"_s, name}};
}

bool is(const QJsonValue &v, const QString &role, const QString &name)
{
    return v[u"role"_s] == role && v[u"name"_s] == name;
}

bool isFocusOn(const QJsonValue &e, const QString &role, const QString &name)
{
    return e[u"type"_s] == u"object:state-changed:focused"_s && e[u"detail1"_s] == 1 && is(e, role, name);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

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

    bool xdotool(const QStringList &args) { return e2e::runTool(u"xdotool"_s, args, m_env).ok; }
    bool type(const QString &text) { return xdotool({u"type"_s, u"--delay"_s, u"120"_s, text}); }

    std::function<bool()> press(const QString &key)
    {
        return [this, key] { return xdotool({u"key"_s, key}); };
    }

    // Whether `action` brings an event matching `done` within 10 s; the events until then in
    // `seen`.
    bool brings(const std::function<bool()> &action, const std::function<bool(const QJsonValue &)> &done,
                QJsonArray *seen = nullptr)
    {
        ask({u"events"_s});
        QJsonArray all;
        const bool found = action()
                           && testsupport::waitFor(
                               [&] {
                                   bool hit = false;
                                   for (const QJsonValue e : ask({u"events"_s}).toArray()) {
                                       all.append(e);
                                       hit = hit || done(e);
                                   }
                                   return hit;
                               },
                               10000);
        if (!found)
            qWarning("events meanwhile: %s", QJsonDocument(all).toJson(QJsonDocument::Compact).constData());
        if (seen)
            *seen = all;
        return found;
    }

    // Whether `key` moves the keyboard to `role` `name`, no other object taking it on the way.
    bool focusMovesTo(const QString &key, const QString &role, const QString &name)
    {
        QJsonArray seen;
        if (!brings(
                press(key), [&](const QJsonValue &e) { return isFocusOn(e, role, name); }, &seen))
            return false;
        for (const QJsonValue e : seen) {
            if (e[u"type"_s] == u"object:state-changed:focused"_s && e[u"detail1"_s] == 1
                && !is(e, role, name))
                return false;
        }
        return is(ask({u"focused"_s}).toArray().last(), role, name);
    }

    // Whether `action` brings the notification of `keyword`'s result, as a screen reader
    // hears it.
    bool announces(const std::function<bool()> &action, const QString &keyword)
    {
        return brings(action, [&](const QJsonValue &e) {
            const QString said = e[u"name"_s].toString();
            return e[u"type"_s] == u"object:state-changed:showing"_s && e[u"detail1"_s] == 1
                   && e[u"role"_s] == u"notification"_s && said.startsWith(keyword + u"："_s)
                   && said.contains(shown(keyword).text.replace(u'\n', u' ').trimmed());
        });
    }

private slots:
    void initTestCase()
    {
        if (const QString missing = e2e::missingPart({u"xdotool"_s}); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        if (const QString missing = e2e::AccessibilityBus::missingPart(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        if (!e2e::runTool(kPython, {u"-c"_s, u"import gi; gi.require_version('Atspi', '2.0')"_s},
                          QProcessEnvironment::systemEnvironment())
                 .ok)
            QSKIP("Python's AT-SPI client is not installed (scripts/install-deps.sh installs it)");

        QString error;
        const QProcessEnvironment xEnv = e2e::desktopEnvironment();
        QVERIFY2(m_bus.start(xEnv, &error), qPrintable(error));
        m_env = m_bus.environment(xEnv);
        const QString window = e2e::startProgram(m_app, m_env);
        QVERIFY2(!window.isEmpty(), "the main window did not appear");
        QVERIFY(xdotool({u"windowfocus"_s, u"--sync"_s, window}));

        m_probe.setProcessEnvironment(m_env);
        m_probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        testsupport::startTiedToThisProcess(m_probe, kPython,
                                            {QStringLiteral(MENGJIAN_A11Y_PROBE), u"梦鉴"_s});
        while (!m_probe.canReadLine() && m_probe.waitForReadyRead(40000)) { }
        QCOMPARE(m_probe.readLine().trimmed(), QByteArray("true"));
    }

    void cleanupTestCase()
    {
        testsupport::stopProcess(m_probe);
        testsupport::stopProcess(m_app);
        m_bus.stop();
    }

    // Typed and confirmed in the input, the query is announced; the tree then holds the
    // keyword labels as links with a press action, and the status bar with its text.
    void queryIsAnnouncedAndItsKeywordsAreLinks()
    {
        QVERIFY(type(u"钟"_s));
        QVERIFY(announces(press(u"Return"_s), u"钟"_s));
        QStringList links;
        QJsonValue statusBar;
        for (const QJsonValue n : ask({u"tree"_s}).toArray()) {
            const QStringList actions = n[u"actions"_s].toVariant().toStringList();
            qInfo("%s%s \"%s\" %s", qPrintable(QString(n[u"depth"_s].toInt() * 2, u' ')),
                  qPrintable(n[u"role"_s].toString()), qPrintable(n[u"name"_s].toString().left(40)),
                  qPrintable(actions.join(u',')));
            if (n[u"role"_s] == u"link"_s && actions.contains(u"Press"_s))
                links.append(n[u"name"_s].toString());
            if (n[u"role"_s] == u"status bar"_s)
                statusBar = n;
        }
        QCOMPARE(links, shown(u"钟"_s).references);
        QCOMPARE(statusBar[u"name"_s].toString(), u"完成"_s);
    }

    // Tab goes from the input straight to the result text, which a screen reader then
    // reads, and on to the first keyword; back from the input, the title bar's buttons.
    void keyboardReachesResultKeywordsAndTitleBar()
    {
        QVERIFY(is(ask({u"focused"_s}).toArray().last(), u"text"_s, kInput));
        QVERIFY(focusMovesTo(u"Tab"_s, u"label"_s, shown(u"钟"_s).text));
        QVERIFY(focusMovesTo(u"Tab"_s, u"link"_s, u"钟2"_s));
        for (const QString &button : {u"关于"_s, u"最大化"_s, u"最小化"_s}) {
            if (button == u"关于"_s)
                QVERIFY(ask({u"act"_s, u"text"_s, kInput, u"SetFocus"_s}).toBool());
            QVERIFY2(focusMovesTo(u"shift+Tab"_s, u"push button"_s, button), qPrintable(button));
        }
        QVERIFY(ask({u"act"_s, u"text"_s, kInput, u"SetFocus"_s}).toBool());
    }

    // A keyword label pressed through the accessibility bus runs its query.
    void keywordPressedThroughTheBusRunsItsQuery()
    {
        const auto pressLink = [this] { return ask({u"act"_s, u"link"_s, u"钟2"_s, u"press"_s}).toBool(); };
        QVERIFY(announces(pressLink, u"钟2"_s));
    }

    // The suggestion list's entries are list items found by name; Down and Up move the
    // highlight, which a screen reader announces, while the input keeps the keyboard.
    void suggestionsAreReadByName()
    {
        QVERIFY(xdotool({u"key"_s, u"ctrl+a"_s, u"BackSpace"_s}) && type(u"钟"_s));
        QStringList items;
        testsupport::waitFor(
            [&] {
                items.clear();
                for (const QJsonValue n : ask({u"tree"_s}).toArray()) {
                    if (n[u"role"_s] == u"list item"_s)
                        items.append(n[u"name"_s].toString());
                }
                return !items.isEmpty();
            },
            10000);
        QCOMPARE(items, (QStringList{u"钟"_s, u"钟2"_s, u"闹钟"_s}));
        for (const auto &[key, entry] :
             {std::pair{u"Down"_s, u"钟"_s}, {u"Down"_s, u"钟2"_s}, {u"Up"_s, u"钟"_s}}) {
            const QString highlighted = entry; // a copy the lambda can take
            QVERIFY2(brings(press(key),
                            [&](const QJsonValue &e) { return isFocusOn(e, u"list item"_s, highlighted); }),
                     qPrintable(key + u": the highlight was not announced"_s));
            QCOMPARE(ask({u"selected"_s, u"list"_s, u"关键字提示"_s}).toVariant().toStringList(),
                     QStringList{highlighted});
        }
        QVERIFY(ask({u"focused"_s}).toArray().contains(object(u"text"_s, kInput)));
        // Closed, the list hands the screen reader back to the input.
        QVERIFY(focusMovesTo(u"Escape"_s, u"text"_s, kInput));
    }
};

QTEST_GUILESS_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
