// SPDX-License-Identifier: GPL-3.0-or-later
// mengjian-lookup: the dream dictionary for terminals and scripts.

#include "kb/store.h"
#include "lookup/mod_jie_meng.h"
#include "lookup/result.h"
#include "reading/dream_reading.h"
#include "reading/suggestions.h"

#include <mengjian/config.h>

#include <QString>
#include <QStringDecoder>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kUsageError = 2;

const char kHelp[] =
    "用法: mengjian-lookup [选项] 关键字...\n"
    "Usage: mengjian-lookup [OPTION] KEYWORD...\n"
    "\n"
    "Looks dream keywords up in the built-in tables of 梦鉴 and prints, for each keyword,\n"
    "its interpretation and its reference keywords.\n"
    "\n"
    "  --raw KEYWORD...    print each lookup result exactly as the lookup returns it\n"
    "                      (interpretation@kw1|kw2|...), one a line; with no KEYWORD,\n"
    "                      read keywords from standard input, one a line\n"
    "  --suggest TEXT...   print the suggestions the window offers while TEXT is typed,\n"
    "                      one a line: the keyword, a tab, the note (how TEXT named it)\n"
    "  --read TEXT...      read each TEXT as a whole dream (读梦) and print the reading\n"
    "                      as the window shows it\n"
    "  --dump records      print the dream record table as built, then a line feed\n"
    "  --dump verses       print the omen verse table as built, then a line feed\n"
    "  --help              show this help and exit\n"
    "  --version           show the version and exit\n"
    "  --                  end of options; every later argument is a keyword\n"
    "\n"
    "Input and output are UTF-8. Exit status: 0 on success, 2 on a usage error or\n"
    "input that is not valid UTF-8.\n";

void write(const QString &s)
{
    const QByteArray utf8 = s.toUtf8();
    std::fwrite(utf8.constData(), 1, std::size_t(utf8.size()), stdout);
}

int usageError(const std::string &message)
{
    std::fprintf(stderr, "mengjian-lookup: %s\nTry 'mengjian-lookup --help'.\n", message.c_str());
    return kUsageError;
}

std::optional<QString> decodeUtf8(const char *data, std::size_t size)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder.decode(QByteArrayView(data, qsizetype(size)));
    if (decoder.hasError())
        return std::nullopt;
    return decoded;
}

void printReadable(QString keyword)
{
    const QString result = modJieMEng::LookupKeyword(keyword);
    const modJieMEng::ShownResult shown = modJieMEng::showResult(result);
    QString out = QStringLiteral("【") + keyword + QStringLiteral("】\n");
    if (!shown.text.isEmpty())
        out += shown.text + u'\n';
    if (!shown.references.isEmpty())
        out += QStringLiteral("参考关键字：") + shown.references.join(QStringLiteral("、")) + u'\n';
    write(out);
}

void printSuggestions(const QString &text)
{
    QString out;
    for (const reading::Suggestion &s : reading::suggest(text))
        out += s.keyword + u'\t' + s.note + u'\n';
    write(out);
}

void printReading(const QString &text)
{
    const reading::Reading r = reading::readDream(text);
    QString out = QStringLiteral("【") + text + QStringLiteral("】\n")
                  + QString(r.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) + u'\n';
    if (!r.keywords.isEmpty())
        out += QStringLiteral("参考关键字：") + r.keywords.join(QStringLiteral("、")) + u'\n';
    write(out);
}

void printRaw(QString keyword)
{
    write(modJieMEng::LookupKeyword(keyword) + u'\n');
}

int rawFromStdin()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::optional<QString> keyword = decodeUtf8(line.data(), line.size());
        if (!keyword) {
            std::fflush(stdout);
            return usageError("standard input holds a line that is not valid UTF-8");
        }
        printRaw(*keyword);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    enum class Mode { Readable, Raw, Suggest, Read } mode = Mode::Readable;
    std::optional<std::string> dump;
    std::vector<QString> keywords;
    bool optionsEnded = false;

    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (!optionsEnded && std::strncmp(arg, "--", 2) == 0) {
            if (std::strcmp(arg, "--") == 0) {
                optionsEnded = true;
            } else if (std::strcmp(arg, "--help") == 0) {
                std::fputs(kHelp, stdout);
                return 0;
            } else if (std::strcmp(arg, "--version") == 0) {
                std::printf("mengjian-lookup (梦鉴) %s\n", config::kVersion);
                return 0;
            } else if (std::strcmp(arg, "--raw") == 0 || std::strcmp(arg, "--suggest") == 0
                       || std::strcmp(arg, "--read") == 0) {
                const Mode chosen = arg[2] == 'r' ? (arg[3] == 'a' ? Mode::Raw : Mode::Read)
                                                  : Mode::Suggest;
                if (mode != Mode::Readable && mode != chosen)
                    return usageError("--raw, --suggest and --read exclude each other");
                mode = chosen;
            } else if (std::strcmp(arg, "--dump") == 0) {
                if (i + 1 >= argc)
                    return usageError("--dump needs 'records' or 'verses'");
                dump = argv[++i];
                if (*dump != "records" && *dump != "verses")
                    return usageError("--dump takes 'records' or 'verses', not '" + *dump + "'");
            } else {
                return usageError(std::string("unknown option '") + arg + "'");
            }
            continue;
        }
        const std::optional<QString> keyword = decodeUtf8(arg, std::strlen(arg));
        if (!keyword)
            return usageError("argument " + std::to_string(i) + " is not valid UTF-8");
        keywords.push_back(*keyword);
    }

    if (dump) {
        if (mode != Mode::Readable || !keywords.empty())
            return usageError("--dump takes no keywords");
        write((*dump == "records" ? kb::recordTable() : kb::verseTable()) + u'\n');
        return 0;
    }

    if (mode == Mode::Raw && keywords.empty())
        return rawFromStdin();
    if (keywords.empty())
        return usageError("no keyword given");
    for (const QString &keyword : keywords) {
        switch (mode) {
        case Mode::Raw: printRaw(keyword); break;
        case Mode::Suggest: printSuggestions(keyword); break;
        case Mode::Read: printReading(keyword); break;
        case Mode::Readable: printReadable(keyword); break;
        }
    }
    return 0;
}
