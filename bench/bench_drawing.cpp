// Cost of one redraw during a drag: a clear of the canvas and DrawFigure at the
// largest radius with the arc and both angle marks shown; and the whole cost of one
// movement of a drag as the screen sees it, handlers and the canvas widget's paint,
// at zoom 1 and 2 beside the floor of that zoom; and the processor time a second of a
// demonstration takes, with the memory it holds over a minute of it.
#include "aids/demonstration.h"
#include "app/form1.h"
#include "processusage.h"

#include <QApplication>
#include <QBackingStore>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <benchmark/benchmark.h>

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

using processusage::peakResidentKiB;

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

// The full lesson figure at radius 274: every part of the figure with both readouts,
// the auxiliary line, three traces of P, two straight lines, memo writing and the grid.
// Shown, so it must go before the application object: main releases it.
std::unique_ptr<Form1> lessonForm;

Form1& lessonAtLargestRadius(double zoom) {
    std::unique_ptr<Form1>& form = lessonForm;
    if (!form) {
        form = std::make_unique<Form1>();
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) qFatal("the window did not show");
        form->radius = 274;
        form->handleX = form->radius + static_cast<float>(form->oX);
        form->handleY = form->radius + static_cast<float>(form->oY);
        form->LayoutFigure();
        for (CheckBox* box : {form->Check6, form->Check7, form->Check2[1], form->Check8, form->Check2[0],
                              form->Check5, form->Check4})
            box->setValue(1);
        for (double angle : {150.0, 90.0, 40.0}) {
            const double radians = angle * 3.14 / 180;
            form->gamen_MouseDown(1, 0, static_cast<float>(form->pX), static_cast<float>(form->pY));
            form->gamen_MouseMove(1, 0, static_cast<float>(form->oX + 274 * std::cos(radians)),
                                  static_cast<float>(form->oY - 274 * std::sin(radians)));
            form->gamen_MouseUp(1, 0, 0, 0);
            form->Command7_Click(0);
        }
        form->Command5_Click();
        for (float x : {60.0f, 780.0f}) {
            form->gamen_MouseDown(1, 0, x, 40);
            form->gamen_MouseMove(1, 0, x + 40, 600);
            form->gamen_MouseUp(1, 0, x + 40, 600);
        }
        form->Command3_Click();
        form->gamen_MouseDown(1, 0, 700, 80);
        form->gamen_MouseMove(1, 0, 760, 160);
        form->gamen_MouseUp(1, 0, 760, 160);
        form->Command3_Click();
        form->Command4_Click();
    }
    form->setWindowZoom(zoom);
    return *form;
}

// The format the window's backing store paints into.
QImage::Format backingStoreFormat(QWidget& window) {
    if (QBackingStore* store = window.backingStore()) {
        if (const auto* image = dynamic_cast<const QImage*>(store->paintDevice())) return image->format();
    }
    return QImage::Format_RGB32;
}

void sendMouse(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

// One movement of a drag of P as the screen sees it: the pointer event through the
// canvas widget and the handlers, then the widget's paint of what a movement
// repaints (the inside of its frame).
void BM_DragMoveOfPPainted(benchmark::State& state) {
    const double zoom = state.range(0) / 100.0;
    Form1& form = lessonAtLargestRadius(zoom);
    CanvasWidget& view = *form.gamenView;
    QImage target(view.size(), backingStoreFormat(form));
    const double offset = view.drawingOffset();
    auto widgetPoint = [&](double x, double y) { return QPointF(offset + x * zoom, offset + y * zoom); };
    sendMouse(view, QEvent::MouseButtonPress, widgetPoint(form.pX, form.pY), Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    timeEach(state, [&] {
        const double angle = (40 + ++step % 360) * 3.14 / 180;
        sendMouse(view, QEvent::MouseMove,
                  widgetPoint(form.oX + 274 * std::cos(angle), form.oY - 274 * std::sin(angle)), Qt::NoButton,
                  Qt::LeftButton);
        view.render(&target, QPoint(), QRegion(view.contentsRect()));
    });
    sendMouse(view, QEvent::MouseButtonRelease, widgetPoint(form.pX, form.pY), Qt::LeftButton, Qt::NoButton);
    state.SetLabel(QStringLiteral("zoom %1, image format %2").arg(zoom).arg(target.format()).toStdString());
}

// The floor of that movement at the same zoom: one clear of the canvas and one draw
// of the canvas image into the same kind of target.
void BM_DragMoveFloor(benchmark::State& state) {
    const double zoom = state.range(0) / 100.0;
    Form1& form = lessonAtLargestRadius(zoom);
    CanvasWidget& view = *form.gamenView;
    QImage target(view.size(), backingStoreFormat(form));
    const double offset = view.drawingOffset();
    timeEach(state, [&] {
        form.gamen.clear();
        QPainter painter(&target);
        painter.translate(offset, offset);
        painter.scale(zoom, zoom);
        painter.drawImage(0, 0, form.gamen.image());
    });
    state.SetLabel(QStringLiteral("zoom %1").arg(zoom).toStdString());
}

using processusage::processorSeconds;
using processusage::residentKiB;

// Seconds of a demonstration of P on the full lesson figure, each a second of frames
// at 60 a second on a simulated clock: the handlers and the widget's paint of each frame.
// The processor time per second of motion is the share of one core it takes.
void demonstrate(benchmark::State& state, int seconds) {
    const double zoom = state.range(0) / 100.0;
    Form1& form = lessonAtLargestRadius(zoom);
    CanvasWidget& view = *form.gamenView;
    QImage target(view.size(), backingStoreFormat(form));
    Demonstration& demo = *form.demonstration;
    double now = 0;
    demo.setClock([&now] { return now; });
    demo.start();
    if (!demo.running()) state.SkipWithError("the demonstration did not start");
    int frame = 0;
    auto runFor = [&](int count) {
        for (int i = 0; i < count; ++i) {
            now = ++frame / 60.0;
            demo.frame();
            view.render(&target, QPoint(), QRegion(view.contentsRect()));
        }
    };
    runFor(60); // the first second warms the caches
    const long before = residentKiB();
    double processor = 0;
    for (auto _ : state) {
        const double start = processorSeconds();
        runFor(60 * seconds);
        processor += processorSeconds() - start;
    }
    demo.stop();
    state.counters["core_percent"] = 100 * processor / (static_cast<double>(state.iterations()) * seconds);
    state.counters["rss_growth_KiB"] = static_cast<double>(residentKiB() - before);
    state.counters["rss_MiB"] = residentKiB() / 1024.0;
    state.SetLabel(
        QStringLiteral("zoom %1, %2 s of motion an iteration").arg(zoom).arg(seconds).toStdString());
}

void BM_DemonstrationSecond(benchmark::State& state) {
    demonstrate(state, 1);
}

// A minute of motion: the resident memory after it against before it.
void BM_DemonstrationMinute(benchmark::State& state) {
    demonstrate(state, 60);
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
BENCHMARK(BM_DragMoveFloor)->Arg(100)->Arg(200)->Apply(configure);
BENCHMARK(BM_DragMoveOfPPainted)->Arg(100)->Arg(200)->Apply(configure);
BENCHMARK(BM_DemonstrationSecond)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_DemonstrationMinute)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    lessonForm.reset();
    return 0;
}
