#include "lesson/undo.h"

#include "app/form1.h"
#include "app/menubar.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <memory>

namespace {

const QString kUndo = QStringLiteral("元に戻す");
const QString kRedo = QStringLiteral("やり直し");

QString handleLabel(int target) {
    switch (target) {
    case 1:
        return QStringLiteral("点Ｐの移動");
    case 2:
        return QStringLiteral("点Ａの移動");
    case 3:
        return QStringLiteral("点Ｂの移動");
    default:
        return QStringLiteral("半径の変更");
    }
}

QString toggled(const QString& caption) {
    return QStringLiteral("「%1」の切り替え").arg(caption);
}

// Captions of LessonState's boxes, in its order.
QString boxCaption(int box) {
    static const char* const captions[] = {"点Ｐ",   "∠ＡＰＢ", "円周角", "∠ＡＯＢ", "中心角",
                                           "弧ＡＢ", "補助線",  "円周上", "nonClear"};
    if (box < LessonState::Line1) return QString::fromUtf8(captions[box]);
    return QStringLiteral("直線 %1").arg(box - LessonState::Line1 + 1);
}

// The name of a change made without a named step: what a press on the drawing area in
// figure mode did, or what changed outside any step.
QString describe(const LessonState& before, const LessonState& after) {
    if (before.radius != after.radius) return handleLabel(4);
    if (before.angleA != after.angleA) return handleLabel(2);
    if (before.angleB != after.angleB) return handleLabel(3);
    if (before.p != after.p || before.angleP != after.angleP) return handleLabel(1);
    for (int box = 0; box < LessonState::kBoxCount; ++box)
        if (before.boxes[box] != after.boxes[box]) return toggled(boxCaption(box));
    if (before.lines != after.lines) return QStringLiteral("直線");
    if (before.traceCount != after.traceCount)
        return before.traceCount < after.traceCount ? QStringLiteral("跡を残す") : QStringLiteral("跡を消す");
    if (before.gridShown != after.gridShown) return toggled(QStringLiteral("方眼"));
    if (before.picture != after.picture) return QStringLiteral("メモ書き");
    return QStringLiteral("変更");
}

bool isArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

bool isModifier(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr;
}

} // namespace

Undo::Undo(Form1& form) : form_(form) {
    keyPause_.setSingleShot(true);
    keyPause_.setInterval(kKeyPauseMs);
    connect(&keyPause_, &QTimer::timeout, this, [this] { finishKeyRun(); });

    // At the top of 編集, above the copies; the entries' keys work anywhere in the window.
    MenuBar& bar = *form.menuBar;
    QAction* first = bar.edit()->actions().value(0);
    undoAction_ = bar.addEntry(
        bar.edit(), kUndo, {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { undo(); }, first);
    redoAction_ = bar.addEntry(
        bar.edit(), kRedo,
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        [this] { redo(); }, first);
    bar.edit()->insertSeparator(first);

    followControls();
    settled_ = CaptureLesson(form_);
    refreshActions();
}

// The entries go with the history they act on.
Undo::~Undo() {
    delete undoAction_;
    delete redoAction_;
}

// A control's step runs from its press to its release: the press comes before the value
// changes, the release after the handler and its cascade have ended. "印刷" and "終了"
// change no lesson.
void Undo::followControls() {
    Form1& f = form_;
    follow(f.Command1, QStringLiteral("初期画面"));
    follow(f.Command3, toggled(QStringLiteral("メモ")));
    follow(f.Command4, toggled(QStringLiteral("方眼")));
    follow(f.Command5, toggled(QStringLiteral("直線")));
    follow(f.Command7[0], QStringLiteral("跡を残す"));
    follow(f.Command7[1], QStringLiteral("跡を消す"));
    for (CheckBox* box :
         {f.Check6, f.Check7, f.Check2[1], f.Check8, f.Check2[0], f.Check5, f.Check4, f.Check9, f.Check3})
        follow(box, toggled(box->text()));
    for (int i = 0; i < 5; ++i) follow(f.Check1[i], toggled(boxCaption(LessonState::Line1 + i)));
    for (int i = 0; i < 8; ++i)
        follow(f.Option1[i], QStringLiteral("「%1 %2」の選択")
                                 .arg(QString::fromUtf8(i < 4 ? "細字" : "太字"), f.Option1[i]->text()));
    for (OptionButton* colour : f.Option2)
        follow(colour, QStringLiteral("「直線の色 %1」の選択").arg(colour->text()));
}

// A click emits released before clicked, and the push and option buttons' handlers run
// on clicked: the step ends after clicked (connected after the handler, so it runs after
// it). A release that no click follows (the pointer let go off the button, the button
// disabled while held) ends it once the events in hand are done.
void Undo::follow(QAbstractButton* control, const QString& label) {
    auto held = std::make_shared<int>(0);
    connect(control, &QAbstractButton::pressed, this, [this, label, held] {
        ++*held;
        beginStep(label);
    });
    auto letGo = [this, held] {
        if (*held == 0) return;
        --*held;
        endStep();
    };
    connect(control, &QAbstractButton::clicked, this, letGo);
    connect(control, &QAbstractButton::released, this, [this, letGo] { QTimer::singleShot(0, this, letGo); });
}

void Undo::beginStep(const QString& label) {
    finishKeyRun();
    if (depth_++ > 0) return;
    before_ = CaptureLesson(form_);
    label_ = label;
    keepChangesMadeOutsideSteps(*before_);
    refreshActions();
}

void Undo::endStep() {
    if (depth_ == 0 || --depth_ > 0) return;
    LessonState after = CaptureLesson(form_);
    if (!SameLesson(*before_, after)) {
        history_.push(label_.isEmpty() ? describe(*before_, after) : label_, *before_);
        emit changed();
    }
    before_.reset();
    settled_ = std::move(after);
    refreshActions();
}

// Every change belongs to some step, so that undo never takes back more than it names;
// one made where no step was open (by code that opened none) becomes a step of its own.
void Undo::keepChangesMadeOutsideSteps(const LessonState& now) {
    if (!settled_ || SameLesson(*settled_, now)) return;
    history_.push(describe(*settled_, now), *settled_);
    emit changed();
}

void Undo::pointerPressed(int button) {
    // A new press of the left button starts a new drag, stroke or line, even where the
    // release of the last one never came; the other buttons join a step under way.
    if (pointerStep_ && button != 1) return;
    if (pointerStep_) pointerReleased();
    QString label;
    if (button == 2) {
        label = QStringLiteral("メモの消去");
    } else if (form_.memoMode != 0) {
        const bool eraser = form_.Option1[3]->isChecked() || form_.Option1[7]->isChecked();
        label = eraser ? QStringLiteral("消しゴム") : QStringLiteral("メモ書き");
    } else if (form_.lineMode != 0) {
        label = QStringLiteral("直線");
    }
    pointerStep_ = true;
    beginStep(label);
}

void Undo::pointerReleased() {
    if (!pointerStep_) return;
    pointerStep_ = false;
    endStep();
}

void Undo::keyPressed(int key) {
    if (isModifier(key)) return;
    const int target = isArrow(key) && form_.figureMode() ? form_.keyTarget : 0;
    if (keyRunTarget_ != 0 && target != keyRunTarget_) finishKeyRun();
    // Arrows while a press is held belong to the press's step.
    if (target == 0 || (depth_ > 0 && keyRunTarget_ == 0)) return;
    if (keyRunTarget_ == 0) {
        beginStep(handleLabel(target));
        keyRunTarget_ = target;
        refreshActions();
    }
    keyPause_.start();
}

void Undo::finishKeyRun() {
    if (keyRunTarget_ == 0) return;
    keyRunTarget_ = 0;
    keyPause_.stop();
    endStep();
}

bool Undo::canUndo() const {
    return keyRunTarget_ != 0 || (depth_ == 0 && history_.canUndo());
}

bool Undo::canRedo() const {
    return depth_ == 0 && history_.canRedo();
}

QString Undo::undoText() const {
    const QString label = keyRunTarget_ != 0 ? label_ : history_.undoLabel();
    return canUndo() ? kUndo + QStringLiteral("：") + label : kUndo;
}

QString Undo::redoText() const {
    return canRedo() ? kRedo + QStringLiteral("：") + history_.redoLabel() : kRedo;
}

void Undo::undo() {
    finishKeyRun();
    if (!canUndo()) return;
    const LessonState now = CaptureLesson(form_);
    keepChangesMadeOutsideSteps(now);
    put(history_.undo(now), now);
}

void Undo::redo() {
    if (!canRedo()) return;
    const LessonState now = CaptureLesson(form_);
    if (settled_ && !SameLesson(*settled_, now)) {
        // A change outside any step is kept as a step and drops what could be done again.
        keepChangesMadeOutsideSteps(now);
        settled_ = now;
        refreshActions();
        return;
    }
    put(history_.redo(now), now);
}

// The pointer and the handle the keys move stay where they are: the eraser ring keeps
// to the pointer, the focus ring to the chosen handle.
void Undo::put(LessonState state, const LessonState& now) {
    state.pointer = now.pointer;
    state.keyTarget = now.keyTarget;
    ApplyLesson(form_, state);
    form_.figureAccess().LessonPut();
    settled_ = CaptureLesson(form_);
    refreshActions();
    emit changed();
}

void Undo::clear() {
    finishKeyRun();
    history_.clear();
    before_.reset();
    depth_ = 0;
    pointerStep_ = false;
    settled_ = CaptureLesson(form_);
    refreshActions();
}

void Undo::refreshActions() {
    undoAction_->setEnabled(canUndo());
    undoAction_->setText(undoText());
    redoAction_->setEnabled(canRedo());
    redoAction_->setText(redoText());
}
