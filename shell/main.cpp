// The program: the Qt application, the program directory, the main window.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QStringList>
#include <cstdlib>
#include <filesystem>

#include "widgets/Ui.h"
#include "shell/Untmain.h"

namespace {

// The program directory: --home DIR, else VARROW_HOME, else the executable's.
std::filesystem::path programDirectory(const QStringList& args) {
    int i = int(args.indexOf("--home"));
    if (i >= 0 && i + 1 < args.size()) return args[i + 1].toStdString();
    if (const char* env = std::getenv("VARROW_HOME"); env && *env) return env;
    return QCoreApplication::applicationDirPath().toStdString();
}

bool writable(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir / "dat", ec);
    QFileInfo info(QString::fromStdString((dir / "dat").string()));
    return info.isDir() && info.isWritable();
}

} // namespace

int main(int argc, char** argv) {
    // The design's face is 宋体; Linux has it as Noto Serif CJK SC, a real Song face.
    QFont::insertSubstitution("宋体", "Noto Serif CJK SC");
    QApplication app(argc, argv);
    QApplication::setApplicationName(varrow::kApplicationTitle);
    QFont font("宋体", 9);
    QApplication::setFont(font);

    std::filesystem::path home = programDirectory(QApplication::arguments());
    if (!writable(home)) {
        varrow::Ui::current().message(nullptr,
                                      QString("程序目录 %1 不可写入，无法保存设置和记录。\n请用 --home 指定一个可写的目录。")
                                          .arg(QString::fromStdString(home.string())),
                                      varrow::kApplicationTitle, varrow::BoxIcon::Error);
        return 1;
    }
    varrow::TFrmMain window(home);
    window.show();
    return app.exec();
}
