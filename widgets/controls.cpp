#include "widgets/controls.h"

#include <QAccessible>

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

void CheckBox::onClick(std::function<void()> handler) {
    connect(this, &QCheckBox::toggled, this, [handler = std::move(handler)](bool) { handler(); });
}

OptionButton::OptionButton(const QString& caption, QWidget* parent) : QRadioButton(caption, parent) {
    connect(this, &QRadioButton::clicked, this, [this] {
        if (handler_) handler_();
    });
}

void OptionButton::select() {
    setChecked(true);
    if (handler_) handler_();
}

void OptionButton::onClick(std::function<void()> handler) {
    handler_ = std::move(handler);
}

PushButton::PushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setFocusPolicy(Qt::TabFocus);
}

void PushButton::setBoldCaption(bool bold) {
    if (bold == boldCaption()) return;
    QFont captionFont = font();
    captionFont.setBold(bold);
    setFont(captionFont);
    if (showsMode_ && QAccessible::isActive()) {
        QAccessible::State pressed;
        pressed.checked = true;
        QAccessibleStateChangeEvent changed(this, pressed);
        QAccessible::updateAccessibility(&changed);
    }
}

void PushButton::onClick(std::function<void()> handler) {
    connect(this, &QPushButton::clicked, this, [handler = std::move(handler)] { handler(); });
}

ReadoutLabel::ReadoutLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAlignment(Qt::AlignRight | Qt::AlignTop);
}

void ReadoutLabel::setCaption(const QString& caption) {
    // Every movement of a drag writes the readouts, mostly with the same number.
    if (caption == text() && x() + width() == rightEdge_) return;
    setText(caption);
    refit();
}

void ReadoutLabel::refit() {
    const int width = std::max(sizeHint().width(), 1);
    setGeometry(rightEdge_ - width, y(), width, height());
}
