// Cost of a full lesson (every box, the grid, five straight lines, five traces, memo
// ink over the whole area): capturing and applying it, as undo would; saving it to a
// lesson file (preview, PNG, JSON and the atomic write) and opening it again; and the
// keeping of the last figure after a change.
#include "app/form1.h"
#include "lesson/lessonfile.h"
#include "lesson/lessonstate.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

class Silent : public LessonPrompt {
  public:
    QString path;
    QString askSave(QWidget*, const QString&) override { return path; }
    bool confirmReplace(QWidget*, const QString&) override { return true; }
    Unsaved askUnsaved(QWidget*, const QString&) override { return Unsaved::Discard; }
    void tell(QWidget*, const QString&, const QString& message) override {
        qFatal("%s", qPrintable(message));
    }
};

std::unique_ptr<Form1> lesson;
std::unique_ptr<QTemporaryDir> folder;

Form1& fullLesson() {
    if (lesson) return *lesson;
    folder = std::make_unique<QTemporaryDir>();
    lesson = std::make_unique<Form1>();
    Form1& f = *lesson;
    auto prompt = std::make_unique<Silent>();
    prompt->path = folder->filePath(QStringLiteral("full.enshu"));
    f.lessonFiles->prompt = std::move(prompt);
    for (CheckBox* box : {f.Check6, f.Check7, f.Check2[1], f.Check8, f.Check2[0], f.Check5, f.Check4})
        box->setValue(1);
    for (int k = 0; k < 5; ++k) {
        f.MoveHandle(1, 100 + 15 * k, 0, 0);
        f.Command7_Click(0);
    }
    f.Command4_Click();
    f.Command5_Click();
    for (int i = 0; i < 5; ++i) {
        f.gamen_MouseDown(1, 0, 40, 100 + 100 * i);
        f.gamen_MouseMove(1, 0, 300, 150 + 100 * i);
        f.gamen_MouseUp(1, 0, 300, 150 + 100 * i);
    }
    // Memo ink in every colour across the whole drawing area.
    f.Command3_Click();
    for (int row = 0; row < 60; ++row) {
        f.Option1_Click(row % 3);
        f.gamen_MouseDown(1, 0, 5, 5 + 10 * row);
        for (int x = 5; x < 870; x += 15) f.gamen_MouseMove(1, 0, x, 5 + 10 * row + (x / 15) % 7);
        f.gamen_MouseUp(1, 0, 870, 5 + 10 * row);
    }
    f.Command3_Click();
    return f;
}

void BM_CaptureLesson(benchmark::State& state) {
    Form1& form = fullLesson();
    for (auto _ : state) benchmark::DoNotOptimize(CaptureLesson(form));
}

void BM_ApplyLesson(benchmark::State& state) {
    Form1& form = fullLesson();
    const LessonState kept = CaptureLesson(form);
    Form1 other;
    for (auto _ : state) ApplyLesson(other, kept);
}

void BM_SaveLesson(benchmark::State& state) {
    Form1& form = fullLesson();
    for (auto _ : state) form.lessonFiles->SaveAs();
    state.counters["file_kB"] = QFileInfo(form.lessonFiles->filePath()).size() / 1024.0;
}

void BM_OpenLesson(benchmark::State& state) {
    Form1& form = fullLesson();
    form.lessonFiles->SaveAs();
    const QString path = form.lessonFiles->filePath();
    Form1 other;
    other.lessonFiles->prompt = std::make_unique<Silent>();
    for (auto _ : state) other.lessonFiles->OpenFile(path);
}

// After a completed change: the comparison and the write of the last figure.
void BM_KeepLastFigure(benchmark::State& state) {
    Form1& form = fullLesson();
    form.lessonFiles->keepLastFigure(true);
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form.Command7_Click(turn++ % 2); // a change to keep
        state.ResumeTiming();
        form.lessonFiles->checkForChange();
    }
    form.lessonFiles->keepLastFigure(false);
}

void configure(benchmark::internal::Benchmark* bench) {
    bench->Unit(benchmark::kMillisecond)->Repetitions(5);
}

BENCHMARK(BM_CaptureLesson)->Apply(configure);
BENCHMARK(BM_ApplyLesson)->Apply(configure);
BENCHMARK(BM_SaveLesson)->Apply(configure);
BENCHMARK(BM_OpenLesson)->Apply(configure);
BENCHMARK(BM_KeepLastFigure)->Apply(configure);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    lesson.reset();
    folder.reset();
    return 0;
}
