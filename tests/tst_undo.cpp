// Undo and redo: every completed action is one named step, and undoing and redoing
// steps brings the whole window back to the pixel, through real events.
#include "app/form1.h"
#include "app/menubar.h"
#include "figure/geometry.h"
#include "lesson/lessonfile.h"
#include "lesson/lessonfiles.h"
#include "tests/invariants.h"
#include "tests/randomevents.h"

#include <QtTest>

class TestUndo : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void actionsAreNamedSteps_data();
    void actionsAreNamedSteps();
    void randomActionsUndoneAndRedone_data();
    void randomActionsUndoneAndRedone();
    void oneUndoBringsBackAPreparedFigure();

  private:
    QTemporaryDir dir_; // the lesson files and settings of the tests
};

namespace {

QImage windowGrab(Form1& form) {
    return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

void mouse(Form1& form, QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF local = at + QPointF(CanvasWidget::kDrawingOffset, CanvasWidget::kDrawingOffset);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, local, form.gamenView->mapToGlobal(local),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(form.gamenView, &event);
}

void pull(Form1& form, QPointF from, QPointF to, Qt::MouseButton button = Qt::LeftButton) {
    mouse(form, QEvent::MouseButtonPress, from, button);
    mouse(form, QEvent::MouseMove, (from + to) / 2, button);
    mouse(form, QEvent::MouseMove, to, button);
    mouse(form, QEvent::MouseButtonRelease, to, button);
}

QPointF onCircle(const Form1& form, double angle) {
    const geometry::Point at = geometry::pointOnCircle(form.oX, form.oY, form.radius, angle);
    return {at.x, at.y};
}

// One action of a row, as a hand does it: "P>150" drags P to 150°, "R-60" pulls the
// radius handle 60 to the left, "key:Right" presses a key on the drawing area, "pen:3"
// and "colour:2" choose an option button, "box:1" clicks straight-line box 1; other
// words are the caption of the button or box clicked.
void act(Form1& form, const QString& action) {
    const QPointF p(form.pX, form.pY), a(form.aX, form.aY), b(form.bX, form.bY);
    if (action.startsWith("P>")) return pull(form, p, onCircle(form, action.mid(2).toDouble()));
    if (action.startsWith("A>")) return pull(form, a, onCircle(form, action.mid(2).toDouble()));
    if (action.startsWith("B>")) return pull(form, b, onCircle(form, action.mid(2).toDouble()));
    if (action.startsWith("R")) {
        const QPointF handle(form.handleX + 2, form.handleY + 2);
        return pull(form, handle, handle + QPointF(action.mid(1).toDouble(), 0));
    }
    if (action.startsWith("key:")) {
        const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
        return QTest::keyClick(form.gamenView, Qt::Key(keys.keyToValue(qPrintable("Key_" + action.mid(4)))));
    }
    if (action == "pause") return QTest::qWait(Undo::kKeyPauseMs + 300);
    if (action == "stroke") return pull(form, {100, 100}, {220, 160});
    if (action == "line") return pull(form, {50, 500}, {300, 540});
    if (action == "right") return pull(form, {400, 600}, {400, 600}, Qt::RightButton);
    if (action == "empty") return pull(form, {20, 20}, {60, 30});
    if (action.startsWith("pen:")) return form.Option1[action.mid(4).toInt()]->click();
    if (action.startsWith("colour:")) return form.Option2[action.mid(7).toInt()]->click();
    if (action.startsWith("box:")) return form.Check1[action.mid(4).toInt() - 1]->click();
    for (QAbstractButton* control : form.findChildren<QAbstractButton*>())
        if (control->text() == action) return control->click();
    QFAIL(qPrintable("no action " + action));
}

} // namespace

void TestUndo::initTestCase() {
    QVERIFY(dir_.isValid());
    QStandardPaths::setTestModeEnabled(true);
    qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toUtf8());
}

void TestUndo::actionsAreNamedSteps_data() {
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("lastStep");
    QTest::addColumn<int>("steps");
    QTest::newRow("drag of P") << QStringList{"P>150"} << "点Ｐの移動" << 1;
    QTest::newRow("drag of A") << QStringList{"A>180"} << "点Ａの移動" << 1;
    QTest::newRow("drag of B") << QStringList{"B>345"} << "点Ｂの移動" << 1;
    QTest::newRow("radius") << QStringList{"R-60"} << "半径の変更" << 1;
    QTest::newRow("arrows on a handle")
        << QStringList{"key:A", "key:Right", "key:Right", "key:Up"} << "点Ａの移動" << 1;
    QTest::newRow("arrows on two handles")
        << QStringList{"key:A", "key:Right", "key:B", "key:Left"} << "点Ｂの移動" << 2;
    QTest::newRow("arrows after a pause")
        << QStringList{"key:B", "key:Left", "pause", "key:Left"} << "点Ｂの移動" << 2;
    QTest::newRow("box with its cascade")
        << QStringList{"点Ｐ", "∠ＡＰＢ", "円周角", "点Ｐ"} << "「点Ｐ」の切り替え" << 4;
    QTest::newRow("traces") << QStringList{"跡を残す", "P>150", "跡を残す", "跡を消す"} << "跡を消す" << 4;
    QTest::newRow("memo stroke") << QStringList{"メモ", "stroke"} << "メモ書き" << 2;
    QTest::newRow("eraser") << QStringList{"メモ", "stroke", "pen:7", "stroke"} << "消しゴム" << 4;
    QTest::newRow("right-button clear")
        << QStringList{"メモ", "stroke", "メモ", "right"} << "メモの消去" << 4;
    QTest::newRow("straight line") << QStringList{"直線", "colour:2", "line"} << "直線" << 3;
    QTest::newRow("line removed") << QStringList{"直線", "line", "box:1"} << "「直線 1」の切り替え" << 3;
    QTest::newRow("初期画面") << QStringList{"点Ｐ", "P>150", "方眼", "初期画面"} << "初期画面" << 4;
    QTest::newRow("nothing changed") << QStringList{"empty", "跡を消す", "right"} << "" << 0;
}

// Each row's actions make `steps` steps, the last one named as the menu shows it; undoing
// them all brings the first window back and redoing them all the last, to the pixel.
void TestUndo::actionsAreNamedSteps() {
    QFETCH(QStringList, actions);
    QFETCH(QString, lastStep);
    QFETCH(int, steps);
    Form1 form;
    const QImage start = windowGrab(form);
    for (const QString& action : actions) act(form, action);
    // A run of arrows ends by the pause too.
    if (actions.join(' ').contains("key:")) QTest::qWait(Undo::kKeyPauseMs + 100);
    const QImage end = windowGrab(form);
    QCOMPARE(int(form.undo->history().undoCount()), steps);
    QCOMPARE(form.undo->undoAction()->text(), lastStep.isEmpty() ? "元に戻す" : "元に戻す：" + lastStep);
    QCOMPARE(form.undo->undoAction()->isEnabled(), steps > 0);
    for (int i = 0; i < steps; ++i) form.undo->undoAction()->trigger();
    QCOMPARE(differingPixels(windowGrab(form), start), 0);
    QCOMPARE(form.undo->redoAction()->isEnabled(), steps > 0);
    for (int i = 0; i < steps; ++i) form.undo->redoAction()->trigger();
    QCOMPARE(differingPixels(windowGrab(form), end), 0);
    QCOMPARE(form.undo->redoAction()->isEnabled(), false);
}

void TestUndo::randomActionsUndoneAndRedone_data() {
    QTest::addColumn<quint64>("seed");
    for (quint64 seed : {20261208ULL, 7ULL, 31337ULL}) QTest::addRow("seed %llu", seed) << seed;
}

// 300 random events; then every step undone, then every step done again, with the
// figure a figure after each.
void TestUndo::randomActionsUndoneAndRedone() {
    QFETCH(quint64, seed);
    Form1 form;
    const QImage start = windowGrab(form);
    EventRun run(form, seed);
    for (int n = 0; n < 300; ++n) run.step();
    mouse(form, QEvent::MouseButtonRelease, {0, 0}); // a press still held ends
    const QImage end = windowGrab(form);
    const int steps = int(form.undo->history().undoCount());
    QVERIFY2(steps > 30, qPrintable(QString::number(steps)));
    for (int i = 0; i < steps; ++i) {
        form.undo->undo();
        QVERIFY2(invariants::violation(form).isEmpty(), qPrintable(invariants::violation(form)));
    }
    QVERIFY(!form.undo->canUndo());
    QCOMPARE(differingPixels(windowGrab(form), start), 0);
    for (int i = 0; i < steps; ++i) {
        form.undo->redo();
        QVERIFY2(invariants::violation(form).isEmpty(), qPrintable(invariants::violation(form)));
    }
    QVERIFY(!form.undo->canRedo());
    QCOMPARE(differingPixels(windowGrab(form), end), 0);
}

// Parts shown, two traces and a line: the radius change that takes them off the figure
// is taken back by one Ctrl+Z; a new action then leaves nothing to redo, and opening a
// lesson nothing to undo.
void TestUndo::oneUndoBringsBackAPreparedFigure() {
    Form1 form;
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    for (const char* action : {"点Ｐ", "∠ＡＰＢ", "円周角", "∠ＡＯＢ", "中心角", "弧ＡＢ", "補助線",
                               "跡を残す", "P>150", "跡を残す", "直線", "line", "直線"})
        act(form, QString::fromUtf8(action));
    const QImage prepared = windowGrab(form);
    QSignalSpy changes(form.undo.get(), &Undo::changed); // what lesson files listen to
    act(form, "R-80");
    QVERIFY(form.Check6->value() == 0 && form.traceCount == 0);
    QVERIFY(differingPixels(windowGrab(form), prepared) > 1000);
    QCOMPARE(form.undo->undoAction()->text(), QStringLiteral("元に戻す：半径の変更"));
    QCOMPARE(form.menuBar->edit()->actions().mid(0, 2),
             QList<QAction*>({form.undo->undoAction(), form.undo->redoAction()}));
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(differingPixels(windowGrab(form), prepared), 0);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(form.undo->redoAction()->text(), QStringLiteral("やり直し：半径の変更"));
    act(form, "弧ＡＢ");
    QVERIFY(!form.undo->redoAction()->isEnabled());
    // An opened lesson starts a history of its own.
    const QString path = dir_.filePath(QStringLiteral("prepared.enshu"));
    QVERIFY(LessonFile::write(path, LessonFile::encode(CaptureLesson(form), QImage())).isEmpty());
    QVERIFY(form.lessonFiles->OpenFile(path));
    QVERIFY(!form.undo->undoAction()->isEnabled() && !form.undo->redoAction()->isEnabled());
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
