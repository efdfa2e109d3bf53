// The window as a user meets it: start-up to the first paint, and the chart
// button to the finished Four Pillars report. Runs offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QLineEdit>
#include <QTemporaryDir>
#include <filesystem>

#include "shell/Untmain.h"

namespace {

std::filesystem::path home() {
    static QTemporaryDir dir;
    static bool made = [] {
        std::filesystem::path p = dir.path().toStdString();
        std::filesystem::copy(std::filesystem::path(VARROW_SOURCE_DIR) / "dat", p / "dat",
                              std::filesystem::copy_options::recursive);
        return true;
    }();
    (void)made;
    return dir.path().toStdString();
}

void StartUpToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        varrow::TFrmMain w(home());
        w.show();
        w.repaint(); // paints synchronously: the window is on screen
        benchmark::DoNotOptimize(w.isVisible());
    }
}
BENCHMARK(StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

void ChartButtonToReport(benchmark::State& state) {
    varrow::TFrmMain w(home());
    w.show();
    w.findChild<QLineEdit*>("EdtYear")->setText("2000");
    for (auto _ : state) {
        w.BtnpaiClick();
        w.repaint();
    }
}
BENCHMARK(ChartButtonToReport)->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QFont::insertSubstitution("宋体", "Noto Serif CJK SC");
    QApplication app(argc, argv);
    QApplication::setFont(QFont("宋体", 9));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
