// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The program's command line: `mengjian [KEYWORD]`, --help and --version. Qt's own options
// (-platform, -display…) are Qt's: QApplication takes them out before the rest is read.
namespace modOther {

struct CommandLine
{
    QString keyword; // the query to open at; "" for the welcome text
    QString error;   // a usage error; "" when the line is fine
};

// Answers --help and --version on standard output and returns the exit status, or nothing
// when neither was asked and a display is there. Reads the raw arguments, so that it runs
// before any display is opened: these two answer where no window could, and where there is
// no display at all a usage error or the missing display is reported (status 2 or 1).
std::optional<int> answerWithoutDisplay(int argc, char **argv);

// Reads the arguments left after Qt took its own (QCoreApplication::arguments()).
CommandLine parseCommandLine(const QStringList &arguments);

// Prints `error` on standard error with a hint at --help; returns the exit status 2.
int usageError(const QString &error);

} // namespace modOther
