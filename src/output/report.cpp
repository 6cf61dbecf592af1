// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/report.h"

#include "text/trim.h"

#include <mengjian/config.h>

namespace output {

QString ComposeReport(const QueryState &state)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString blank = QStringLiteral(" \r\n");
    QString report;
    report += QStringLiteral("《梦鉴》由睿蓝软件开发发布；软件升级参见")
              + QString::fromUtf16(config::kMakerUrl) + crlf;
    report += blank;
    report += QStringLiteral("输入梦境关键字：") + text::trimSpaces(state.keyword) + crlf;
    report += blank;
    report += QStringLiteral("解梦结果：") + crlf;
    report += blank;
    report += state.resultText + crlf;
    report += blank;
    report += QStringLiteral("参考关键字：") + crlf;
    report += blank;
    for (const QString &keyword : state.references)
        report += keyword + crlf;
    report += blank;
    report +=
        QStringLiteral("《名汇坊》姓名设计专家！") + QString::fromUtf16(config::kSiblingUrl) + crlf;
    return report;
}

} // namespace output
