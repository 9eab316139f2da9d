// The program: create the window, run its load step, and only then show it.
//
// Connecting to the display takes a while; meanwhile two threads load the
// font configuration and read the list's names from the database, the two
// other slow steps before the window can show.
#include "app/fonts.h"
#include "app/form1.h"
#include "data/datasource.h"
#include "data/schema.h"

#include <QApplication>
#include <QFile>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

// The program's directory as the kernel knows it; empty where it cannot say.
std::filesystem::path programDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

} // namespace

int main(int argc, char** argv) {
    FontSystemWarmUp fonts;
    const std::filesystem::path dir = programDir();
    const QString appDir = QFile::decodeName(dir.c_str());
    std::optional<data::Prefetch> names;
    if (!dir.empty())
        names.emplace(Form1::databasePath(appDir), std::string(data::schema::kFuncclass),
                      std::vector<int>{data::schema::Name});

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zarn-win32api"));
    installFontSubstitutions();
    // 宋体 9 pt is what a Chinese Windows shows in message boxes and menus
    // too; and a text box lays out its empty text in the default font before
    // it takes its own, which would load the desktop's face for nothing.
    QApplication::setFont(controlFont());
    fonts.wait();
    Form1 form(dir.empty() ? QCoreApplication::applicationDirPath() : appDir);
    if (!form.Form_Load()) return 1;
    form.show();
    return app.exec();
}
