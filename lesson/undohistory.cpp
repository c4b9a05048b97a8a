#include "lesson/undohistory.h"

void UndoHistory::push(const QString& label, const LessonState& before) {
    for (const Step& step : redo_) uncounted(step);
    redo_.clear();
    undo_.push_back(keep(label, before, undo_.empty() ? nullptr : &undo_.back()));
    counted(undo_.back());
    trim();
}

QString UndoHistory::undoLabel() const {
    return undo_.empty() ? QString() : undo_.back().label;
}

QString UndoHistory::redoLabel() const {
    return redo_.empty() ? QString() : redo_.back().label;
}

LessonState UndoHistory::undo(const LessonState& current) {
    Step step = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(keep(step.label, current, &step));
    counted(redo_.back());
    uncounted(step);
    return restored(step);
}

LessonState UndoHistory::redo(const LessonState& current) {
    Step step = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(keep(step.label, current, &step));
    counted(undo_.back());
    uncounted(step);
    return restored(step);
}

void UndoHistory::clear() {
    undo_.clear();
    redo_.clear();
    partUses_.clear();
    bytes_ = 0;
}

UndoHistory::Step UndoHistory::keep(const QString& label, const LessonState& state, const Step* neighbour) {
    Step step{label, state, nullptr};
    step.state.picture = QImage();
    if (neighbour != nullptr && neighbour->picture->sourceKey() == state.picture.cacheKey()) {
        step.picture = neighbour->picture;
        return step;
    }
    const PackedPicture* like = neighbour != nullptr ? neighbour->picture.get() : nullptr;
    auto packed = std::make_shared<const PackedPicture>(state.picture, like);
    if (neighbour != nullptr && *neighbour->picture == *packed)
        step.picture = neighbour->picture;
    else
        step.picture = std::move(packed);
    return step;
}

LessonState UndoHistory::restored(const Step& step) {
    LessonState state = step.state;
    state.picture = step.picture->unpack();
    return state;
}

void UndoHistory::trim() {
    while (undo_.size() > kMaximumSteps || (undo_.size() > kMinimumSteps && bytes_ > kPictureBudget)) {
        uncounted(undo_.front());
        undo_.pop_front();
    }
}

// A part of a picture counts once, however many steps hold it.
void UndoHistory::counted(const Step& step) {
    bytes_ += sizeof(Step) + static_cast<std::size_t>(step.label.size()) * sizeof(QChar);
    step.picture->forEachPart([this](const void* part, std::size_t bytes) {
        if (partUses_[part]++ == 0) bytes_ += bytes;
    });
}

void UndoHistory::uncounted(const Step& step) {
    bytes_ -= sizeof(Step) + static_cast<std::size_t>(step.label.size()) * sizeof(QChar);
    step.picture->forEachPart([this](const void* part, std::size_t bytes) {
        const auto use = partUses_.find(part);
        if (--use->second > 0) return;
        partUses_.erase(use);
        bytes_ -= bytes;
    });
}
