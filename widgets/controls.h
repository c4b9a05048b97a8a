#pragma once
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

// Controls with the value semantics the handlers rely on:
//  - a check box's value is 0 or 1; setting it from code runs its click handler at
//    once and to its end, and setting the value it already has runs nothing;
//  - selecting an option button from code runs its handler every time, as a click does;
//  - a push button shows a mode that is on by a bold caption.

class CheckBox : public QCheckBox {
    Q_OBJECT
  public:
    CheckBox(const QString& caption, QWidget* parent);
    int value() const { return isChecked() ? 1 : 0; }
    void setValue(int value) { setChecked(value != 0); }
    // Runs on every change of the value, by the user or from code.
    void onClick(std::function<void()> handler);
};

class OptionButton : public QRadioButton {
    Q_OBJECT
  public:
    OptionButton(const QString& caption, QWidget* parent);
    bool value() const { return isChecked(); }
    // Selects the button and runs its handler, even when it was selected already.
    void select();
    void onClick(std::function<void()> handler);

  private:
    std::function<void()> handler_;
};

class PushButton : public QPushButton {
    Q_OBJECT
  public:
    PushButton(const QString& caption, QWidget* parent);
    void setBoldCaption(bool bold);
    bool boldCaption() const { return font().bold(); }
    // The button switches a mode: screen readers hear it as a toggle button, pressed
    // while the caption is bold.
    void setShowsMode(bool mode) { showsMode_ = mode; }
    bool showsMode() const { return showsMode_; }
    void onClick(std::function<void()> handler);

  private:
    bool showsMode_ = false;
};

// A label that keeps its right edge while its caption grows or shrinks.
class ReadoutLabel : public QLabel {
    Q_OBJECT
  public:
    ReadoutLabel(const QString& caption, QWidget* parent);
    void setRightEdge(int right) { rightEdge_ = right; }
    void setCaption(const QString& caption);
    // Fits the width to the caption, the right edge kept.
    void refit();

  private:
    int rightEdge_ = 0;
};
