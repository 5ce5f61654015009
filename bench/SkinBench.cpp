// Benchmarks of the main window's drawing with the generated Default skin:
// a full page composition and one hover redraw, each copied to the window.
#include "BenchWindow.h"

#include "skin/MainWindowLayout.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using kestrel::bench::BenchWindow;
namespace mainlayout = kestrel::mainlayout;

void pageComposition(benchmark::State& state, BenchWindow& window)
{
    for (auto _ : state) {
        window.composePage();
        window.repaint();
    }
}

// A hover notice that moves the highlight between two key drop-downs:
// one "-over" image and one "-normal" image with their digits and captions.
void hoverRedraw(benchmark::State& state, BenchWindow& window)
{
    window.composePage();
    int k = 1;
    for (auto _ : state) {
        k = k % mainlayout::kKeyDropDownCount + 1;
        window.surface().hover().hoverNotice(mainlayout::keyDropDown(k).center());
        window.repaint();
    }
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    BenchWindow window;
    window.show();
    benchmark::RegisterBenchmark("BM_PageComposition", pageComposition, std::ref(window))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_HoverRedraw", hoverRedraw, std::ref(window))->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
