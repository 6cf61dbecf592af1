// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"
#include "face/face.h"
#include "mod_other.h"
#include "single_instance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Before QApplication, which cannot be created without a display.
    if (const std::optional<int> status = modOther::answerWithoutDisplay(argc, argv))
        return *status;
    QApplication app(argc, argv);
    const modOther::CommandLine commandLine = modOther::parseCommandLine(QApplication::arguments());
    if (!commandLine.error.isEmpty())
        return modOther::usageError(commandLine.error);
    modOther::SingleInstance instance;
    if (instance.handOver(commandLine.keyword))
        return 0;
    face::substituteFonts();
    ui::frmMain *window = modOther::start(commandLine.keyword);
    if (!window)
        return 1;
    instance.serve(window);
    return app.exec();
}
