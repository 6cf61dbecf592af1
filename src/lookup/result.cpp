// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/result.h"

#include "text/trim.h"

#include <mengjian/config.h>

namespace modJieMEng {

QString noDataMessage()
{
    return QStringLiteral("资料暂缺！详细资料参见“睿蓝软件”") + QString::fromUtf16(config::kMakerUrl);
}

ShownResult showResult(QStringView lookupResult)
{
    // The result holds one "@"; only the two pieces around the first one are read.
    const qsizetype at = lookupResult.indexOf(u'@');
    const QStringView first = at < 0 ? lookupResult : lookupResult.first(at);
    QStringView second = at < 0 ? QStringView() : lookupResult.sliced(at + 1);
    const qsizetype nextAt = second.indexOf(u'@');
    if (nextAt >= 0)
        second = second.first(nextAt);

    const QStringView interpretation = text::trimSpaces(first);
    QStringView references = text::trimSpaces(second);

    ShownResult shown;
    if (interpretation.isEmpty() && references.isEmpty()) {
        shown.text = noDataMessage();
        return shown;
    }
    shown.text = interpretation.toString();
    if (shown.text.endsWith(u'；') || shown.text.endsWith(u'，'))
        shown.text.back() = u'。';

    if (!references.isEmpty()) {
        if (references.endsWith(u'|'))
            references.chop(1);
        for (const QStringView keyword : references.tokenize(u'|'))
            shown.references.append(keyword.toString());
    }
    return shown;
}

} // namespace modJieMEng
