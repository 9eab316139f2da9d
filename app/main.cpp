// The program: create the window, run its load step, and only then show it.
#include "app/fonts.h"
#include "app/form1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zarn-win32api"));
    installFontSubstitutions();
    Form1 form(QCoreApplication::applicationDirPath());
    if (!form.Form_Load()) return 1;
    form.show();
    return app.exec();
}
