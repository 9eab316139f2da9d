// The fair yardstick for start-up and memory: a Qt window of the viewer's
// size and title that shows one label of Chinese text in the viewer's font,
// so that it pays for the font system as the viewer does.
#include "app/design.h"
#include "app/fonts.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    installFontSubstitutions();
    QWidget w;
    w.setWindowTitle(design::kCaption);
    w.setFixedSize(design::kClientWidth / design::kTwipsPerPixel,
                   design::kClientHeight / design::kTwipsPerPixel);
    QLabel label(QStringLiteral("键入要查找的关键字"), &w);
    label.setFont(controlFont());
    label.move(12, 12);
    w.show();
    return app.exec();
}
