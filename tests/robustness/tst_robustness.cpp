// A seeded run of random events: presses, moves and releases of every
// button anywhere from far outside the canvas to the figure's exact points, and
// clicks on every control but "終了" and "印刷", undo and redo. After every event the figure
// must still be a figure: angles in order, radius in its band, finite numbers,
// readouts that are numbers and shown exactly while their boxes are ticked.
#include "app/form1.h"
#include "tests/invariants.h"
#include "tests/randomevents.h"
#include "tests/soak.h"

#include <QtTest>

#include <deque>

class TestRobustness : public QObject {
    Q_OBJECT

  private slots:
    void randomEvents_data();
    void randomEvents();
};

namespace {

// Four seeds of 10,000 events each; 50,000 each under ENSHUKAKU_SOAK=1.
const int kEventsPerSeed = soak::count(10000, 50000);

} // namespace

using invariants::violation;

void TestRobustness::randomEvents_data() {
    QTest::addColumn<quint64>("seed");
    for (quint64 seed : {20261208ULL, 1ULL, 4242ULL, 987654321ULL}) QTest::addRow("seed %llu", seed) << seed;
}

void TestRobustness::randomEvents() {
    QFETCH(quint64, seed);
    Form1 form;
    EventRun run(form, seed);
    run.undoing = true;
    std::deque<QString> recent; // the events before a failure, to replay it
    QVERIFY2(violation(form).isEmpty(), qPrintable(violation(form)));
    for (int n = 0; n < kEventsPerSeed; ++n) {
        recent.push_back(run.step());
        if (recent.size() > 12) recent.pop_front();
        // Now and then paint the widget too, with the marks wherever they are.
        if (n % 2000 == 0) QVERIFY(!form.gamenView->grab().isNull());
        const QString broken = violation(form);
        if (!broken.isEmpty()) {
            QStringList trail(recent.begin(), recent.end());
            QFAIL(qPrintable(QStringLiteral("event %1 of seed %2: %3\n  after: %4")
                                 .arg(n)
                                 .arg(seed)
                                 .arg(broken, trail.join(QStringLiteral("\n         ")))));
        }
    }
    const EventRun::Counts& c = run.counts;
    qInfo(
        "%d events; moves dragging P %d, A %d, B %d, radius %d (%d radius changes); P on A after %d events; "
        "a free P's readout shown after %d pointer events; %d undos and redos",
        kEventsPerSeed, c.dragMoves[1], c.dragMoves[2], c.dragMoves[3], c.dragMoves[4], c.radiusChanges,
        c.pOnA, c.freeReadouts, c.undosAndRedos);
    QVERIFY(c.dragMoves[1] > 0 && c.dragMoves[2] > 0 && c.dragMoves[3] > 0 && c.radiusChanges > 0 &&
            c.pOnA > 0 && c.freeReadouts > 0 && c.undosAndRedos > 0);

    // The window goes shown, with the keyboard in the drawing area: its destructor
    // takes the focus away from the area, and nothing may reach the window's handlers
    // after the window itself has gone.
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.gamenView->setFocus(Qt::TabFocusReason);
    QVERIFY(form.gamenView->hasFocus());
}

QTEST_MAIN(TestRobustness)
#include "tst_robustness.moc"
