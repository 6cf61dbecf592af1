// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/commands.h"

#include "desktop/desktop.h"
#include "output/printing.h"
#include "output/text_file.h"
#include "text/trim.h"

#include <mengjian/config.h>

#include <QDir>
#include <QPrinter>
#include <QTime>
#include <QUrl>

namespace output {

bool RequireKeyword(const QueryState &state, const StatusSink &showStatus, QWidget *owner)
{
    if (!text::trimSpaces(QStringView(state.keyword)).isEmpty())
        return true;
    const QString notice = QStringLiteral("请输入梦境关键字");
    if (showStatus)
        showStatus(notice);
    desktop::current().showMessage(owner, QStringLiteral("提示"), notice, desktop::Icon::Warning);
    return false;
}

void CopyReport(const QueryState &state, const StatusSink &showStatus, QWidget *owner)
{
    if (!RequireKeyword(state, showStatus, owner))
        return;
    desktop::current().setClipboardText(ComposeReport(state));
}

void SaveReport(const QueryState &state, const StatusSink &showStatus, QWidget *owner)
{
    if (!RequireKeyword(state, showStatus, owner))
        return;
    const QString report = ComposeReport(state);
    const QString proposed = defaultReportPath(reportFolder(), state.keyword,
                                               QTime::currentTime().second(), QDir::separator());
    desktop::Desktop &desk = desktop::current();
    const QString answer =
        desk.prompt(owner, QStringLiteral("保存"), QStringLiteral("请输入文件名及路径："), proposed)
            .value_or(QString());
    if (text::trimSpaces(QStringView(answer)).isEmpty())
        return;
    const WriteResult result = WriteTextFile(answer, report);
    if (!result.ok) {
        desk.showMessage(owner, QStringLiteral("保存"),
                         QStringLiteral("无法保存到“%1”：\n%2").arg(answer, result.error),
                         desktop::Icon::Critical);
        return;
    }
    desk.showMessage(owner, QStringLiteral("完成"), QStringLiteral("保存成功！"), desktop::Icon::None);
}

void PrintReport(const QueryState &state, const StatusSink &showStatus, QWidget *owner)
{
    if (!RequireKeyword(state, showStatus, owner))
        return;
    const QString report = ComposeReport(state);
    desktop::Desktop &desk = desktop::current();
    const std::unique_ptr<QPrinter> printer = desk.defaultPrinter();
    // A report that did not reach the printer is never passed over in silence: the status
    // bar no longer says the last query's "完成", and a warning says why.
    if (!printer) {
        showStatus(QStringLiteral("未能列印"));
        desk.showMessage(owner, QStringLiteral("列印"), QStringLiteral("没有找到默认打印机，无法列印。"),
                         desktop::Icon::Warning);
        return;
    }
    const QString failure = printDocument(report, *printer);
    if (!failure.isEmpty()) {
        showStatus(QStringLiteral("未能列印"));
        desk.showMessage(owner, QStringLiteral("列印"), QStringLiteral("报告未能列印：%1").arg(failure),
                         desktop::Icon::Warning);
    }
}

void OpenMakerSite()
{
    desktop::current().openUrl(QUrl(QString::fromUtf16(config::kMakerUrl)));
}

} // namespace output
