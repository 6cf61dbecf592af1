// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up figures: a bare Qt Widgets window with a title and nothing in it.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("梦鉴"));
    window.resize(471, 391);
    window.show();
    return app.exec();
}
