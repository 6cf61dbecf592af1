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

void CopyReport(const QueryState &state, const StatusSink &showStatus, QWidget *owner)
{
    if (!RequireKeyword(state, showStatus, owner))
        return;
    desktop::Current().SetClipboardText(ComposeReport(state));
}

void SaveReport(const QueryState &state, const StatusSink &showStatus, QWidget *owner)
{
    if (!RequireKeyword(state, showStatus, owner))
        return;
    const QString report = ComposeReport(state);
    const QString proposed = DefaultReportPath(ReportFolder(), state.keyword,
                                               QTime::currentTime().second(), QDir::separator());
    desktop::Desktop &desk = desktop::Current();
    const QString answer = desk.Prompt(owner, QStringLiteral("请输入文件名及路径："),
                                       QStringLiteral("保存"), proposed)
                               .value_or(QString());
    if (text::TrimSpaces(QStringView(answer)).isEmpty())
        return;
    const WriteResult result = WriteTextFile(answer, report);
    if (!result.ok) {
        desk.ShowMessage(owner,
                         QStringLiteral("无法保存到“%1”：\n%2").arg(answer, result.error),
                         QStringLiteral("保存"), desktop::Icon::Critical);
        return;
    }
    desk.ShowMessage(owner, QStringLiteral("保存成功！"), QStringLiteral("完成"), desktop::Icon::None);
}

void PrintReport(const QueryState &state, const StatusSink &showStatus, QWidget *owner)
{
    if (!RequireKeyword(state, showStatus, owner))
        return;
    const QString report = ComposeReport(state);
    desktop::Desktop &desk = desktop::Current();
    const std::unique_ptr<QPrinter> printer = desk.DefaultPrinter();
    // A report that did not reach the printer is never passed over in silence: the status
    // bar no longer says the last query's "完成", and a warning says why.
    if (!printer) {
        showStatus(QStringLiteral("未能列印"));
        desk.ShowMessage(owner, QStringLiteral("没有找到默认打印机，无法列印。"), QStringLiteral("列印"),
                         desktop::Icon::Warning);
        return;
    }
    const QString failure = PrintDocument(report, *printer);
    if (!failure.isEmpty()) {
        showStatus(QStringLiteral("未能列印"));
        desk.ShowMessage(owner, QStringLiteral("报告未能列印：%1").arg(failure), QStringLiteral("列印"),
                         desktop::Icon::Warning);
    }
}

void OpenMakerSite()
{
    desktop::Current().OpenUrl(QUrl(QString::fromUtf16(config::kMakerUrl)));
}

} // namespace output
