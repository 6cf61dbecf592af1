// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include <mengjian/config.h>

#include <cstdio>
#include <cstring>

namespace modOther {
namespace {

constexpr int kUsageError = 2;

const char kHelp[] =
    "用法: mengjian [关键字]\n"
    "Usage: mengjian [OPTION] [KEYWORD]\n"
    "\n"
    "梦鉴, the dream-interpretation dictionary. With a KEYWORD the window opens at its\n"
    "interpretation. When 梦鉴 already runs on this display, the KEYWORD goes to its window,\n"
    "which comes to the front, and this start ends; with no KEYWORD the running window just\n"
    "comes to the front.\n"
    "\n"
    "  -h, --help      show this help and exit\n"
    "  -v, --version   show the version and exit\n"
    "  --              end of options; the next argument is the keyword\n"
    "\n"
    "Qt's own options, such as -platform NAME or -display DISPLAY, apply. Exit status: 0 on\n"
    "success, 1 when the window cannot be shown, 2 on a usage error.\n";

} // namespace

std::optional<int> answerWithoutDisplay(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--") == 0)
            break;
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0 || std::strcmp(arg, "-v") == 0) {
            std::printf("mengjian (梦鉴) %s\n", config::kVersion);
            return 0;
        }
    }
    return std::nullopt;
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    bool optionsEnded = false;
    QStringList keywords;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (!optionsEnded && arg == QLatin1StringView("--"))
            optionsEnded = true;
        else if (!optionsEnded && arg.startsWith(u'-') && arg.size() > 1)
            line.error = QStringLiteral("unknown option '%1'").arg(arg);
        else
            keywords.append(arg);
        if (!line.error.isEmpty())
            return line;
    }
    if (keywords.size() > 1)
        line.error = QStringLiteral("one keyword at most, %1 given").arg(keywords.size());
    else if (!keywords.isEmpty())
        line.keyword = keywords.first();
    return line;
}

int usageError(const QString &error)
{
    std::fprintf(stderr, "mengjian: %s\nTry 'mengjian --help'.\n", error.toLocal8Bit().constData());
    return kUsageError;
}

} // namespace modOther
