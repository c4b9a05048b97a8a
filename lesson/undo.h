#pragma once
#include "lesson/lessonstate.h"
#include "lesson/undohistory.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class Form1;
class QAbstractButton;
class QAction;

// Undo and redo of a lesson, one step per completed action: a press on the drawing
// area until its release (a drag, a memo stroke, a straight line, the right-button
// clear), a run of arrow keys on one handle, a click of a control with everything it
// sets off. A step holds the lesson from before it; undo and redo put whole lessons
// back on the window with ApplyLesson, so the window comes back pixel for pixel.
//
// Other rooms make their own steps, for example a demonstration's run:
//
//   form.undo->beginStep(QStringLiteral("動きの再生"));
//   ... MoveHandle frame by frame ...
//   form.undo->endStep();
//
// and opening a lesson starts a new history once the lesson is on the window:
//
//   ApplyLesson(form, opened);
//   form.undo->clear();
class Undo : public QObject {
    Q_OBJECT
  public:
    explicit Undo(Form1& form);
    ~Undo() override;

    // Everything from beginStep to its endStep is one step named `label` (empty: named
    // after what changed). Pairs inside an open step belong to it, so nothing is kept
    // while a drag or a run is under way. A step that changed nothing is not kept.
    void beginStep(const QString& label = {});
    void endStep();
    bool stepOpen() const { return depth_ > 0; }

    // The drawing area's pointer, around the window's handlers: a press starts a step
    // and the first release ends it (any release ends a drag, a stroke or a line).
    void pointerPressed(int button);
    void pointerReleased();
    // A key on the drawing area, before it is handled: arrows on the same handle make
    // one step until another key, another action or a second's pause.
    void keyPressed(int key);

    bool canUndo() const;
    bool canRedo() const;
    QString undoText() const; // "元に戻す：点Ｐの移動"
    QString redoText() const; // "やり直し：点Ｐの移動"
    void undo();
    void redo();
    // Forgets every step: the window as it stands is where the new history starts.
    void clear();

    // 編集 > 元に戻す (Ctrl+Z) and やり直し (Ctrl+Y, Ctrl+Shift+Z).
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }
    const UndoHistory& history() const { return history_; }

    // How long a pause ends a run of arrow keys.
    static constexpr int kKeyPauseMs = 1000;

  signals:
    // A step was kept, undone or done again: the lesson has changed (clear() is silent).
    void changed();

  private:
    void follow(QAbstractButton* control, const QString& label);
    void followControls();
    void finishKeyRun();
    void keepChangesMadeOutsideSteps(const LessonState& now);
    void put(LessonState state, const LessonState& now);
    void refreshActions();

    Form1& form_;
    UndoHistory history_;
    int depth_ = 0;
    std::optional<LessonState> before_; // the lesson as the open step began
    QString label_;
    std::optional<LessonState> settled_; // the lesson after the last step, undo or redo
    bool pointerStep_ = false;
    int keyRunTarget_ = 0; // the handle the open run of arrows moves; 0 none
    QTimer keyPause_;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
};
