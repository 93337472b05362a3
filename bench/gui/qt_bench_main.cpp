// The main of the benchmarks that paint or show widgets: they need one
// QApplication, on the offscreen platform unless another is chosen.
#include <QApplication>
#include <cstdlib>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
