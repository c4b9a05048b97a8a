// Cost of one redraw during a drag: a clear of the canvas and DrawFigure at the
// largest radius with the arc and both angle marks shown.
#include "app/form1.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

namespace {

Form1& figureAtLargestRadius(double angleP) {
    static std::unique_ptr<Form1> form;
    if (!form) form = std::make_unique<Form1>();
    form->angleA = 220;
    form->angleB = 320;
    form->angleP = angleP;
    form->radius = 274;
    form->handleX = form->radius + static_cast<float>(form->oX);
    form->handleY = form->radius + static_cast<float>(form->oY);
    form->LayoutFigure();
    form->Check6->setValue(1);
    form->Check7->setValue(1);
    form->Check8->setValue(1);
    form->Check5->setValue(1);
    return *form;
}

// Times every iteration on its own, so that the worst single redraw shows beside the median.
template <typename Work> void timeEach(benchmark::State& state, Work work) {
    std::vector<double> samples;
    samples.reserve(1 << 16);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(samples.begin(), samples.end());
    state.counters["median_ms"] = samples[samples.size() / 2];
    state.counters["p99_ms"] = samples[samples.size() * 99 / 100];
    state.counters["worst_ms"] = samples.back();
}

void BM_Clear(benchmark::State& state) {
    Form1& form = figureAtLargestRadius(110);
    timeEach(state, [&] {
        form.gamen.clear();
        benchmark::DoNotOptimize(form.gamen.image().constBits());
    });
}

void clearAndDraw(benchmark::State& state, double angleP) {
    Form1& form = figureAtLargestRadius(angleP);
    timeEach(state, [&] {
        form.gamen.clear();
        form.DrawFigure();
        benchmark::DoNotOptimize(form.gamen.image().constBits());
    });
}

// Case 1: P on the long arc, ∠AOB of 100 degrees.
void BM_ClearAndDraw_Case1(benchmark::State& state) {
    clearAndDraw(state, 110);
}

// Case 2: P on the short arc, so the band and ∠AOB are reflex (260 degrees).
void BM_ClearAndDraw_Case2Reflex(benchmark::State& state) {
    clearAndDraw(state, 270);
}

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// One pointer movement of a drag of P round the circle, as the window handles it:
// the clear, the readouts, the drawing and the marks. Memory is read before and
// after, to show that dragging does not grow the program.
void BM_DragMoveOfP(benchmark::State& state) {
    Form1& form = figureAtLargestRadius(110);
    form.gamen_MouseDown(1, 0, static_cast<float>(form.pX), static_cast<float>(form.pY));
    const long before = peakResidentKiB();
    int step = 0;
    timeEach(state, [&] {
        const double angle = (++step % 360) * 3.14 / 180;
        form.gamen_MouseMove(1, 0, static_cast<float>(form.oX + 274 * std::cos(angle)),
                             static_cast<float>(form.oY - 274 * std::sin(angle)));
    });
    form.gamen_MouseUp(1, 0, 0, 0);
    state.counters["peak_rss_MiB"] = peakResidentKiB() / 1024.0;
    state.counters["rss_growth_KiB"] = static_cast<double>(peakResidentKiB() - before);
}

// One pointer movement of a drag of a P let go off the circle: P sweeps a square
// across the whole canvas, through the circle, near A and B and far outside, where
// the angles at P range from nearly straight to a degree.
void BM_DragMoveOfFreeP(benchmark::State& state) {
    Form1& form = figureAtLargestRadius(110);
    form.Check9->setValue(0);
    form.gamen_MouseDown(1, 0, static_cast<float>(form.pX), static_cast<float>(form.pY));
    int step = 0;
    timeEach(state, [&] {
        const int cell = ++step % (35 * 25);
        form.gamen_MouseMove(1, 0, static_cast<float>(12 + 25 * (cell % 35)),
                             static_cast<float>(12 + 25 * (cell / 35)));
    });
    form.gamen_MouseUp(1, 0, 0, 0);
    form.Check9->setValue(1);
}

double worst(const std::vector<double>& values) {
    return *std::max_element(values.begin(), values.end());
}

void configure(benchmark::internal::Benchmark* bench) {
    bench->Unit(benchmark::kMillisecond)->Repetitions(15)->ComputeStatistics("max", worst);
}

BENCHMARK(BM_Clear)->Apply(configure);
BENCHMARK(BM_ClearAndDraw_Case1)->Apply(configure);
BENCHMARK(BM_ClearAndDraw_Case2Reflex)->Apply(configure);
BENCHMARK(BM_DragMoveOfP)->Apply(configure);
BENCHMARK(BM_DragMoveOfFreeP)->Apply(configure);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
