// Time from OK in the name box to the print server's answer for the job: the name
// written in, the window repainted and drawn onto the page, the job created, its
// document sent and its state read back. The jobs go to a CUPS server of the
// benchmark's own whose queue throws the pages away, so the shared server sees
// nothing of them. Beside it, what drawing the window onto a printer at its
// highest resolution cost before.
#include "app/form1.h"
#include "privatecupsserver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

std::unique_ptr<PrivateCupsServer> server;

Form1& lessonFigure() {
    static std::unique_ptr<Form1> form;
    if (!form) {
        form = std::make_unique<Form1>();
        form->show();
        form->Check6->setValue(1);
        form->Check7->setValue(1);
        form->Check8->setValue(1);
        form->Check5->setValue(1);
    }
    return *form;
}

void BM_OkToJobAnswer(benchmark::State& state) {
    if (!server->unavailable().isEmpty()) {
        state.SkipWithError(qPrintable(server->unavailable()));
        return;
    }
    Form1& form = lessonFigure();
    // The longest stretch in which the window's thread handled no event (a timer
    // asks every millisecond): how long a repaint may have to wait.
    QElapsedTimer clock;
    qint64 lastTick = 0, longestGap = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
    });
    for (auto _ : state) {
        clock.start();
        lastTick = 0;
        ticker.start();
        const WindowPrinter::Outcome outcome = form.PrintWindow(QStringLiteral("山田花子"));
        longestGap = std::max(longestGap, clock.nsecsElapsed() - lastTick);
        ticker.stop();
        if (outcome != WindowPrinter::Outcome::Printed) state.SkipWithError("the job was not taken");
    }
    state.counters["longest_busy_ms"] = double(longestGap) / 1e6;
}

// The old way: QWidget::render onto a high-resolution printer turns the window into
// an image of the printer's resolution first.
void BM_WindowOnHighResolutionPrinter(benchmark::State& state) {
    Form1& form = lessonFigure();
    QTemporaryDir dir;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
        printer.setPageOrientation(QPageLayout::Landscape);
        QPainter painter(&printer);
        const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
        const double scale = std::min(page.width() / form.width(), page.height() / form.height());
        painter.scale(scale, scale);
        form.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
}

BENCHMARK(BM_OkToJobAnswer)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3);
BENCHMARK(BM_WindowOnHighResolutionPrinter)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    server = std::make_unique<PrivateCupsServer>();
    server->use();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    server.reset();
    return 0;
}
