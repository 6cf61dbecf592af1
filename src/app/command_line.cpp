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

// Whether Qt would find no display to open: neither an X nor a Wayland display in the
// environment, and no platform or display chosen on the command line or in QT_QPA_PLATFORM.
bool noDisplay(int argc, char **argv)
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(name))
            return false;
    }
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"-platform", "--platform", "-display", "--display"}) {
            if (std::strcmp(argv[i], option) == 0)
                return false;
        }
    }
    return true;
}

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
    if (!noDisplay(argc, argv))
        return std::nullopt;
    // Qt would end the program with an abort and a hint at reinstalling it: a usage error is
    // named as on any display, and the missing display as what it is.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const CommandLine line = parseCommandLine(arguments); !line.error.isEmpty())
        return usageError(line.error);
    std::fputs("mengjian: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not "
               "set)\n",
               stderr);
    return 1;
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
