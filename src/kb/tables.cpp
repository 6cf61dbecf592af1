#include "kb/tables.h"

#include <string_view>

namespace kb {
namespace data {
extern const std::string_view k_recordsUtf8;
extern const std::string_view k_versesUtf8;
} // namespace data

namespace {

// The data files hold one record text (or verse line) a line, with blank lines between
// verse sections; the table string is those lines appended one after another.
QString JoinLines(std::string_view utf8)
{
    QString table;
    table.reserve(qsizetype(utf8.size() / 2));
    while (!utf8.empty()) {
        const std::size_t eol = utf8.find('\n');
        std::string_view line = utf8.substr(0, eol);
        utf8 = eol == std::string_view::npos ? std::string_view() : utf8.substr(eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.find_first_not_of(' ') == std::string_view::npos)
            continue;
        table += QString::fromUtf8(line.data(), qsizetype(line.size()));
    }
    table.squeeze();
    return table;
}

} // namespace

QString BuildRecordTable()
{
    return JoinLines(data::k_recordsUtf8);
}

QString BuildVerseTable()
{
    return JoinLines(data::k_versesUtf8);
}

} // namespace kb
