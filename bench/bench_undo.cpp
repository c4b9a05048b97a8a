// The undo history: the memory of 100 memo-stroke steps on the full lesson figure, the
// time of one undo (and of one redo) at zoom 1 with and without the window's repaint,
// and the cost of taking a step's lesson while the canvas stays as it is (no copy).
#include "app/form1.h"
#include "lesson/lessonstate.h"
#include "processusage.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// The window, shown; it must go before the application object: main releases it.
std::unique_ptr<Form1> window;

void sendMouse(Form1& form, QEvent::Type type, QPointF canvasPoint) {
    const QPointF at = canvasPoint + QPointF(CanvasWidget::kDrawingOffset, CanvasWidget::kDrawingOffset);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, form.gamenView->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(form.gamenView, &event);
}

// A lesson's figure with every part shown and both readouts, at zoom 1, its history empty.
Form1& lessonWindow() {
    if (!window) {
        window = std::make_unique<Form1>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) qFatal("the window did not show");
        window->setWindowZoom(1);
        for (CheckBox* box : {window->Check6, window->Check7, window->Check2[1], window->Check8,
                              window->Check2[0], window->Check5})
            box->click();
    }
    window->undo->clear();
    return *window;
}

// A handwritten word's worth of ink: 24 short zigzag strokes in a box of 120 x 60,
// placed at `index` on a grid over the drawing area.
void memoStroke(Form1& form, int index) {
    const double left = 40 + (index % 6) * 135, top = 30 + (index / 6 % 8) * 72;
    sendMouse(form, QEvent::MouseButtonPress, {left, top});
    for (int i = 1; i <= 24; ++i)
        sendMouse(form, QEvent::MouseMove, {left + 5 * i, top + (i % 2 ? 60 : 0) - (index % 5) * 3});
    sendMouse(form, QEvent::MouseButtonRelease, {left + 120, top});
}

double residentMiB() {
    return processusage::residentKiB() / 1024.0;
}

template <typename Work> void timeEach(benchmark::State& state, Work work) {
    std::vector<double> samples;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(samples.begin(), samples.end());
    state.counters["median_ms"] = samples[samples.size() / 2];
    state.counters["worst_ms"] = samples.back();
}

// 100 memo strokes, each its own step: what the history holds, counted by the history
// and as the process's resident memory grows.
void BM_HundredMemoStrokeSteps(benchmark::State& state) {
    Form1& form = lessonWindow();
    form.Command3->click();
    const double residentBefore = residentMiB();
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) memoStroke(form, i);
    }
    state.counters["steps"] = static_cast<double>(form.undo->history().undoCount());
    state.counters["history_MiB"] = static_cast<double>(form.undo->history().bytes()) / (1 << 20);
    state.counters["raw_pictures_MiB"] = 100.0 * Canvas::kWidth * Canvas::kHeight * 4 / (1 << 20);
    state.counters["rss_growth_MiB"] = residentMiB() - residentBefore;
    form.Command1->click();
}

// One undo of a memo stroke, then its redo, on the lesson figure with a hundred strokes
// behind them; `painted` adds the window's repaint of everything that changed.
void undoAndRedo(benchmark::State& state, bool painted) {
    Form1& form = lessonWindow();
    form.Command3->click();
    for (int i = 0; i < 100; ++i) memoStroke(form, i);
    QImage target(form.size(), QImage::Format_ARGB32_Premultiplied);
    bool undoing = true;
    timeEach(state, [&] {
        if (undoing)
            form.undo->undo();
        else
            form.undo->redo();
        undoing = !undoing;
        if (painted) form.render(&target);
    });
    form.Command1->click();
}

void BM_UndoOneStep(benchmark::State& state) {
    undoAndRedo(state, false);
}

void BM_UndoOneStepPainted(benchmark::State& state) {
    undoAndRedo(state, true);
}

// Taking the lesson as a step begins, while the canvas has not changed: the picture is
// shared with the canvas, never copied (shared = 1).
void BM_CaptureWithCanvasUnchanged(benchmark::State& state) {
    Form1& form = lessonWindow();
    bool shared = true;
    timeEach(state, [&] {
        const LessonState lesson = CaptureLesson(form);
        shared = shared && lesson.picture.constBits() == form.gamen.image().constBits();
    });
    state.counters["shared"] = shared ? 1 : 0;
}

void configure(benchmark::internal::Benchmark* bench) {
    bench->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_HundredMemoStrokeSteps)->Iterations(1)->Apply(configure);
BENCHMARK(BM_UndoOneStep)->Iterations(200)->Apply(configure);
BENCHMARK(BM_UndoOneStepPainted)->Iterations(200)->Apply(configure);
BENCHMARK(BM_CaptureWithCanvasUnchanged)->Apply(configure);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    window.reset();
    return 0;
}
