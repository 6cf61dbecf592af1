// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Reading a lookup result ("interpretation@references") the way the program shows it.
namespace modJieMEng {

struct ShownResult
{
    // The text to show: the interpretation (or verse list) trimmed of spaces, its last
    // character turned into "。" when it is "；" or "，"; the no-data message when the
    // result has neither interpretation nor references. May be empty when only
    // references were found.
    QString text;
    // The reference keywords in order, untrimmed, empty when there are none.
    QStringList references;
};

[[nodiscard]] ShownResult showResult(QStringView lookupResult);

// "资料暂缺！详细资料参见“睿蓝软件”" followed directly by the maker's web address.
[[nodiscard]] QString noDataMessage();

} // namespace modJieMEng
