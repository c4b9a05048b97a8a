// A lesson's state: captured from a window reached by random events and put on a
// fresh window, the window looks the same to the pixel.
#include "app/form1.h"
#include "lesson/lessonstate.h"
#include "tests/randomevents.h"

#include <QtTest>

class TestLesson : public QObject {
    Q_OBJECT

  private slots:
    void statesComeBack_data();
    void statesComeBack();
};

namespace {

QImage windowGrab(Form1& form) {
    return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) count += rowA[x] != rowB[x];
    }
    return count;
}

} // namespace

void TestLesson::statesComeBack_data() {
    QTest::addColumn<quint64>("seed");
    for (quint64 seed : {20261208ULL, 7ULL, 31337ULL, 5550123ULL}) QTest::addRow("seed %llu", seed) << seed;
}

// Four seeds, 25 states each: 100 states, from a few events to a few thousand deep.
void TestLesson::statesComeBack() {
    QFETCH(quint64, seed);
    Form1 source;
    EventRun run(source, seed);
    int traces = 0, lines = 0, freeP = 0, memo = 0;
    for (int state = 0; state < 25; ++state) {
        const int events = 20 + (state * 37) % 160;
        for (int n = 0; n < events; ++n) run.step();
        const LessonState lesson = CaptureLesson(source);
        traces += lesson.traceCount > 0;
        lines += lesson.lines[0].shown;
        freeP += !lesson.boxes[LessonState::OnCircle].ticked;
        memo += lesson.memoMode;
        Form1 fresh;
        ApplyLesson(fresh, lesson);
        const int differing = differingPixels(windowGrab(source), windowGrab(fresh));
        QVERIFY2(differing == 0,
                 qPrintable(QStringLiteral("state %1: %2 pixels differ").arg(state).arg(differing)));
        QVERIFY2(CaptureLesson(fresh) == lesson,
                 qPrintable(QStringLiteral("state %1 captured again differs").arg(state)));
    }
    // The states are those of a lesson: traces, straight lines, a free P, the memo pen.
    QVERIFY(traces > 0 && lines > 0 && freeP > 0 && memo > 0);
}

QTEST_MAIN(TestLesson)
#include "tst_lesson.moc"
