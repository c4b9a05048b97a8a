#pragma once
#include "lesson/lessonstate.h"
#include "lesson/packedpicture.h"

#include <QString>

#include <cstddef>
#include <deque>
#include <memory>
#include <unordered_map>

// The steps of a lesson that can be taken back and done again: for each step its name
// and the window's lesson on the far side of it. Pictures are packed, sharing what is
// the same with the neighbouring step's. The newest kMinimumSteps steps are always
// kept; older ones go once the pictures take more than kPictureBudget bytes or there are
// more than kMaximumSteps steps.
class UndoHistory {
  public:
    static constexpr std::size_t kMinimumSteps = 100;
    static constexpr std::size_t kMaximumSteps = 1000;
    static constexpr std::size_t kPictureBudget = 64u << 20;

    // A new step named `label`; `before` is the lesson it started from. The steps
    // undone before it cannot be done again any more.
    void push(const QString& label, const LessonState& before);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    QString undoLabel() const;
    QString redoLabel() const;
    // Takes the newest step back and returns the lesson to put on the window;
    // `current`, the window's lesson now, is what a redo brings back. Only when canUndo().
    LessonState undo(const LessonState& current);
    // Does the step undone last again and returns the lesson after it. Only when canRedo().
    LessonState redo(const LessonState& current);
    void clear();

    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }
    // The memory the kept steps hold, each shared picture counted once.
    std::size_t bytes() const { return bytes_; }

  private:
    struct Step {
        QString label;
        LessonState state; // without its picture
        std::shared_ptr<const PackedPicture> picture;
    };
    using Steps = std::deque<Step>;

    // `state` as a step, its picture shared with `neighbour`'s where they are the same.
    static Step keep(const QString& label, const LessonState& state, const Step* neighbour);
    static LessonState restored(const Step& step);
    void trim();
    // Keeps the count of memory as a step comes into the history and as it goes.
    void counted(const Step& step);
    void uncounted(const Step& step);

    Steps undo_;                                    // oldest first
    Steps redo_;                                    // the step to do again next last
    std::unordered_map<const void*, int> partUses_; // steps holding each part of a picture
    std::size_t bytes_ = 0;
};
