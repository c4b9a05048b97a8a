#pragma once
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>

#include <array>
#include <optional>

class Form1;
class QAccessibleInterface;
class QWidget;

// What a screen reader hears of the drawing area. The four handles (P, A, B and the
// radius) are child objects of the area with values; the one the keys move has the
// focus. A change is said once: the moved handle's value, and the readouts that
// show on the screen, in one utterance per key and about one a second while a
// handle is dragged. Nothing hidden on the screen is said or exposed.
class FigureAccess : public QObject {
    Q_OBJECT
  public:
    static constexpr int kHandles = 4; // 1 P, 2 A, 3 B, 4 the radius handle

    explicit FigureAccess(Form1& form);
    ~FigureAccess() override;

    // Starts to listen to the drawing area and the controls, once they are made.
    void FollowFigure();

    // The keys on the area chose or moved a handle.
    void KeyUsed();
    // The area took the focus: the chosen handle takes it with it.
    void FocusEntered();

    // Read by the area's and the handles' interfaces.
    QWidget* drawingArea() const;
    QString areaDescription() const;
    QString handleName(int target) const;
    QString handleDescription(int target) const;
    // The handle's value (degrees, or pixels for the radius); none while it is hidden.
    std::optional<double> handleValue(int target) const;
    double handleMinimum(int target) const;
    double handleMaximum(int target) const;
    double handleStep(int target) const;
    bool handleFocused(int target) const;
    QRect handleScreenRect(int target) const;
    // A screen reader sets a value: the handle moves there as the keys would move it.
    void setHandleValue(int target, double value);
    QAccessibleInterface* handleInterface(int target) const;
    QAccessibleInterface* announcerInterface() const;
    QString latestAnnouncement() const { return announcement_; }
    // The words for a readout: "円周角 50" while it shows, otherwise only what it is.
    QString readoutName(int index) const;

    // The interface of `object` where it is one of this window's, else null.
    static QAccessibleInterface* interfaceFor(QObject* object);

  private:
    struct Heard {
        std::array<std::optional<double>, kHandles + 1> values{};
        std::array<QString, 2> readouts; // empty while hidden
    };
    Heard now() const;
    // Says what changed since the last time, `moved` being the handle that moved.
    void sayChanges(int moved);
    void announce(const QString& text);
    void sendFocus();
    QString valueWords(int target, double value) const;

    Form1& form_;
    std::array<QAccessibleInterface*, kHandles + 1> handles_{};
    QAccessibleInterface* announcer_ = nullptr;
    Heard heard_;
    int focusedTarget_ = 0;
    int dragged_ = 0; // the handle held by the pointer
    QString announcement_;
    QTimer dragPause_; // one announcement a second while dragging
};
