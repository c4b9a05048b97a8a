// Undo and redo: every completed action is one named step, and undoing and redoing
// steps brings the whole window back to the pixel, through real events; the history
// itself gives back every step it was given, pictures included, and trims the oldest.
#include "app/form1.h"
#include "app/menubar.h"
#include "figure/geometry.h"
#include "lesson/lessonfile.h"
#include "lesson/lessonfiles.h"
#include "tests/invariants.h"
#include "tests/randomevents.h"

#include <QAccessible>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

class TestUndo : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void actionsAreNamedSteps_data();
    void actionsAreNamedSteps();
    void randomActionsUndoneAndRedone_data();
    void randomActionsUndoneAndRedone();
    void oneUndoBringsBackAPreparedFigure();
    void redoFollowsTheSteps_data();
    void redoFollowsTheSteps();
    void screenReaderKeepsAFreePFree();
    void historyGivesBackEveryStep_data();
    void historyGivesBackEveryStep();
    void trimmingKeepsTheNewestSteps_data();
    void trimmingKeepsTheNewestSteps();

  private:
    QTemporaryDir dir_; // the lesson files and settings of the tests
};

namespace {

QImage windowGrab(Form1& form) {
    return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QByteArray digest(const QImage& image) {
    return QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                    QCryptographicHash::Sha1) +
           QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()) + '/' +
           QByteArray::number(int(image.format()));
}

// A screen reader sets a handle's value (1 P, 2 A, 3 B, 4 radius) as a slider's.
void setValue(Form1& form, int target, double value) {
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(form.gamenView);
    QAccessibleValueInterface* handle = area->child(target - 1)->valueInterface();
    QVERIFY(handle != nullptr);
    handle->setCurrentValue(value);
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
    if (action.startsWith("value:")) { // "value:A=200", as a screen reader sets it
        const int target = QStringLiteral("PAB").indexOf(action.at(6)) + 1;
        return setValue(form, target > 0 ? target : 4, action.section('=', 1).toDouble());
    }
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
// figure a figure after each, and each window on the way back met again on the way
// forward, under the name it went by.
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
    std::vector<QByteArray> windows(steps + 1); // the window after each step
    std::vector<QString> names(steps + 1);      // the name of each step
    windows[steps] = digest(end);
    for (int i = steps; i-- > 0;) {
        names[i + 1] = form.undo->undoText().section("：", 1);
        form.undo->undo();
        QVERIFY2(invariants::violation(form).isEmpty(), qPrintable(invariants::violation(form)));
        windows[i] = digest(windowGrab(form));
        QCOMPARE(form.undo->redoText(), "やり直し：" + names[i + 1]);
    }
    QVERIFY(!form.undo->canUndo());
    QCOMPARE(differingPixels(windowGrab(form), start), 0);
    for (int i = 1; i <= steps; ++i) {
        QCOMPARE(form.undo->redoText(), "やり直し：" + names[i]);
        form.undo->redo();
        QVERIFY2(invariants::violation(form).isEmpty(), qPrintable(invariants::violation(form)));
        QVERIFY2(digest(windowGrab(form)) == windows[i],
                 qPrintable(QStringLiteral("step %1 of %2, %3").arg(i).arg(steps).arg(names[i])));
        QCOMPARE(form.undo->undoText(), "元に戻す：" + names[i]);
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
    struct Discarding : LessonPrompt {
        Unsaved askUnsaved(QWidget*, const QString&) override { return Unsaved::Discard; }
    };
    form.lessonFiles->prompt = std::make_unique<Discarding>();
    QVERIFY(form.lessonFiles->OpenFile(path));
    QVERIFY(!form.undo->undoAction()->isEnabled() && !form.undo->redoAction()->isEnabled());
}

void TestUndo::redoFollowsTheSteps_data() {
    QTest::addColumn<QStringList>("actions"); // one step each
    QTest::addColumn<int>("undos");
    QTest::addColumn<QString>("redoName"); // the step done again first
    QTest::newRow("弧ＡＢ then 点Ｐ, both undone")
        << QStringList{"弧ＡＢ", "点Ｐ"} << 2 << "「弧ＡＢ」の切り替え";
    QTest::newRow("点Ｐ then 弧ＡＢ, both undone")
        << QStringList{"点Ｐ", "弧ＡＢ"} << 2 << "「点Ｐ」の切り替え";
    QTest::newRow("a drag between two boxes") << QStringList{"弧ＡＢ", "P>150", "点Ｐ"} << 2 << "点Ｐの移動";
    QTest::newRow("a screen reader's value of A") << QStringList{"点Ｐ", "value:A=200"} << 1 << "点Ａの移動";
    QTest::newRow("two values of a screen reader, one undone")
        << QStringList{"value:A=200", "value:B=300"} << 1 << "点Ｂの移動";
    QTest::newRow("two values of a screen reader")
        << QStringList{"value:A=200", "value:B=300"} << 2 << "点Ａの移動";
    QTest::newRow("a screen reader's radius") << QStringList{"弧ＡＢ", "value:R=200"} << 1 << "半径の変更";
}

// After the undos the window is the one before the steps taken back, and no further;
// the redo entry names the step it does again, which brings its own window back.
void TestUndo::redoFollowsTheSteps() {
    QFETCH(QStringList, actions);
    QFETCH(int, undos);
    QFETCH(QString, redoName);
    Form1 form;
    std::vector<QImage> windows{windowGrab(form)};
    for (const QString& action : actions) {
        act(form, action);
        windows.push_back(windowGrab(form));
    }
    QCOMPARE(int(form.undo->history().undoCount()), int(actions.size()));
    for (int i = 0; i < undos; ++i) form.undo->undoAction()->trigger();
    const int at = int(actions.size()) - undos;
    QCOMPARE(differingPixels(windowGrab(form), windows[at]), 0);
    QCOMPARE(form.undo->redoAction()->text(), "やり直し：" + redoName);
    form.undo->redoAction()->trigger();
    QCOMPARE(differingPixels(windowGrab(form), windows[at + 1]), 0);
    QCOMPARE(form.undo->undoAction()->text(), "元に戻す：" + redoName);
}

// A free P given a direction by a screen reader keeps its distance from O.
void TestUndo::screenReaderKeepsAFreePFree() {
    Form1 form;
    act(form, "円周上");
    act(form, "点Ｐ");
    QCOMPARE(form.Check9->value(), 0);
    pull(form, {form.pX, form.pY}, {form.oX + 60.0, form.oY - 40.0});
    const double distance = std::hypot(form.pX - form.oX, form.pY - form.oY);
    QVERIFY2(std::abs(distance - std::hypot(60, 40)) < 1, qPrintable(QString::number(distance)));
    const QImage before = windowGrab(form);
    setValue(form, 1, 200);
    QCOMPARE(form.Check9->value(), 0);
    QCOMPARE(form.angleP, 200.0);
    QVERIFY2(std::abs(std::hypot(form.pX - form.oX, form.pY - form.oY) - distance) < 0.5,
             qPrintable(QStringLiteral("P at (%1, %2)").arg(form.pX).arg(form.pY)));
    const geometry::Point expected = geometry::pointOnCircle(form.oX, form.oY, float(distance), 200);
    QVERIFY(std::abs(form.pX - expected.x) < 0.5 && std::abs(form.pY - expected.y) < 0.5);
    QCOMPARE(form.undo->undoAction()->text(), QStringLiteral("元に戻す：点Ｐの移動"));
    form.undo->undoAction()->trigger();
    QCOMPARE(differingPixels(windowGrab(form), before), 0);
}

void TestUndo::historyGivesBackEveryStep_data() {
    QTest::addColumn<quint64>("seed");
    for (quint64 seed : {20261208ULL, 4242ULL}) QTest::addRow("seed %llu", seed) << seed;
}

// The history alone, given every lesson a random run passes through: undoing all gives
// back each one in turn, pictures to the pixel, and redoing all each one again.
void TestUndo::historyGivesBackEveryStep() {
    QFETCH(quint64, seed);
    struct Kept {
        LessonState state; // without its picture
        QByteArray picture;
    };
    const auto kept = [](LessonState state) {
        const QByteArray picture = digest(state.picture);
        state.picture = QImage();
        return Kept{state, picture};
    };
    const auto same = [&kept](const LessonState& state, const Kept& expected) {
        const Kept got = kept(state);
        return got.picture == expected.picture && got.state == expected.state;
    };
    Form1 form;
    EventRun run(form, seed);
    UndoHistory history;
    LessonState last = CaptureLesson(form);
    std::vector<Kept> lessons{kept(last)};
    for (int n = 0; n < 400; ++n) {
        run.step();
        LessonState now = CaptureLesson(form);
        if (SameLesson(last, now)) continue;
        history.push(QString::number(lessons.size()), last);
        lessons.push_back(kept(now));
        last = std::move(now);
    }
    const int steps = int(lessons.size()) - 1;
    QVERIFY2(steps > 50, qPrintable(QString::number(steps)));
    QCOMPARE(int(history.undoCount()), steps);
    LessonState current = last;
    for (int i = steps; i-- > 0;) {
        QCOMPARE(history.undoLabel(), QString::number(i + 1));
        current = history.undo(current);
        QVERIFY2(same(current, lessons[i]), qPrintable(QStringLiteral("undo to %1 of %2").arg(i).arg(steps)));
    }
    QVERIFY(!history.canUndo());
    for (int i = 1; i <= steps; ++i) {
        QCOMPARE(history.redoLabel(), QString::number(i));
        current = history.redo(current);
        QVERIFY2(same(current, lessons[i]), qPrintable(QStringLiteral("redo to %1 of %2").arg(i).arg(steps)));
    }
    QVERIFY(!history.canRedo());
}

void TestUndo::trimmingKeepsTheNewestSteps_data() {
    QTest::addColumn<int>("pushed");
    QTest::addColumn<bool>("largePictures"); // noise the size of the canvas, which packs to nothing less
    QTest::addColumn<int>("kept");
    QTest::newRow("many small steps") << 1100 << false << int(UndoHistory::kMaximumSteps);
    QTest::newRow("pictures over the budget") << 130 << true << int(UndoHistory::kMinimumSteps);
}

// The oldest steps go: undoing all that is kept walks back through the newest ones.
void TestUndo::trimmingKeepsTheNewestSteps() {
    QFETCH(int, pushed);
    QFETCH(bool, largePictures);
    QFETCH(int, kept);
    const auto picture = [largePictures](int n) {
        if (!largePictures) {
            QImage small(64, 64, QImage::Format_RGB32);
            small.fill(qRgb(n % 256, n / 256, 7));
            return small;
        }
        QImage noise(875, 625, QImage::Format_RGB32);
        QRandomGenerator random(quint32(n + 1));
        for (int y = 0; y < noise.height(); ++y) {
            auto* row = reinterpret_cast<quint32*>(noise.scanLine(y));
            for (int x = 0; x < noise.width(); ++x) row[x] = random.generate() | 0xff000000u;
        }
        return noise;
    };
    UndoHistory history;
    for (int n = 0; n < pushed; ++n) {
        LessonState state;
        state.angleP = n;
        state.picture = picture(n);
        history.push(QString::number(n), state);
    }
    QCOMPARE(int(history.undoCount()), kept);
    LessonState current;
    current.picture = picture(pushed);
    for (int n = pushed; n-- > pushed - kept;) {
        QCOMPARE(history.undoLabel(), QString::number(n));
        current = history.undo(current);
        QCOMPARE(current.angleP, double(n));
        QVERIFY2(current.picture == picture(n), qPrintable(QString::number(n)));
    }
    QVERIFY(!history.canUndo());
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
