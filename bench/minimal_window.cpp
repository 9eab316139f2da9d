// The yardstick for start-up: an empty Qt window of the viewer's size and
// title, shown as soon as the application object exists.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Zarn_Win32API 中文帮助"));
    w.setFixedSize(634, 444);
    w.show();
    return app.exec();
}
