#include "lesson/undohistory.h"

#include <unordered_set>

void UndoHistory::push(const QString& label, const LessonState& before) {
    redo_.clear();
    undo_.push_back(keep(label, before, undo_.empty() ? nullptr : &undo_.back()));
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
    return restored(step);
}

LessonState UndoHistory::redo(const LessonState& current) {
    Step step = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(keep(step.label, current, &step));
    return restored(step);
}

void UndoHistory::clear() {
    undo_.clear();
    redo_.clear();
}

std::size_t UndoHistory::bytes() const {
    std::size_t total = 0;
    std::unordered_set<const void*> counted;
    for (const Steps* steps : {&undo_, &redo_}) {
        for (const Step& step : *steps) {
            total += sizeof(Step) + static_cast<std::size_t>(step.label.size()) * sizeof(QChar);
            if (counted.insert(step.picture.get()).second) total += step.picture->bytes(counted);
        }
    }
    return total;
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
    while (undo_.size() > kMaximumSteps) undo_.pop_front();
    while (undo_.size() > kMinimumSteps && bytes() > kPictureBudget) undo_.pop_front();
}
