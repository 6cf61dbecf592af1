#include "mod_other.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    modOther::SubstituteFonts();
    if (!modOther::Main())
        return 1;
    return app.exec();
}
