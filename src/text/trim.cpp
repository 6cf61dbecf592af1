// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/trim.h"

namespace text {

QString trimSpaces(const QString &s)
{
    const QStringView trimmed = trimSpaces(QStringView(s));
    if (trimmed.size() == s.size())
        return s;
    return trimmed.toString();
}

void trimSpacesInPlace(QString &s)
{
    const QStringView trimmed = trimSpaces(QStringView(s));
    if (trimmed.size() == s.size())
        return;
    const qsizetype offset = trimmed.data() - s.constData();
    s = s.sliced(offset, trimmed.size());
}

} // namespace text
