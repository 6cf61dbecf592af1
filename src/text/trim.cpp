#include "text/trim.h"

namespace text {

QString TrimSpaces(const QString &s)
{
    const QStringView trimmed = TrimSpaces(QStringView(s));
    if (trimmed.size() == s.size())
        return s;
    return trimmed.toString();
}

void TrimSpacesInPlace(QString &s)
{
    const QStringView trimmed = TrimSpaces(QStringView(s));
    if (trimmed.size() == s.size())
        return;
    const qsizetype offset = trimmed.data() - s.constData();
    s = s.sliced(offset, trimmed.size());
}

} // namespace text
