// SPDX-License-Identifier: GPL-3.0-or-later
#include "mod_other.h"

#include "ui/style.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ui::style::substituteFonts();
    if (!modOther::start())
        return 1;
    return app.exec();
}
