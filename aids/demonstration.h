#pragma once
#include "figure/demomotion.h"

#include <QAction>
#include <QActionGroup>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

class Form1;

// P, A, B or the radius moving by itself while the class watches the angles. Each frame
// of the screen moves the handle through Form1::MoveHandle exactly as a drag to that
// place would, with the place taken from the time since the run began (DemoMotion).
// A run ends on its key again, Esc, a press or a key anywhere in the client area,
// printing, opening a lesson, or the program losing the focus; the figure stays where
// the last frame left it.
class Demonstration : public QObject {
    Q_OBJECT
  public:
    explicit Demonstration(Form1& form);
    ~Demonstration() override;

    // The 動き menu's entries, in order, separators as null entries.
    QList<QAction*> menuActions() const;
    QAction* startStopAction() const { return startStop_; }

    bool running() const { return motion_.has_value(); }
    void start();
    void stop();
    void toggle() { running() ? stop() : start(); }

    DemoMotion::Mover mover() const;
    DemoMotion::Speed speed() const;
    void choose(DemoMotion::Mover mover);
    void choose(DemoMotion::Speed speed);
    bool keepsTraces() const { return traces_->isChecked(); }
    void setKeepsTraces(bool keep) { traces_->setChecked(keep); }

    // Seconds from a steady clock; tests hand in a clock of their own.
    void setClock(std::function<double()> seconds) { clock_ = std::move(seconds); }
    // One frame: the handle to where the time since the start puts it.
    void frame();
    // The frame clock's interval, from the screen's refresh rate.
    int frameInterval() const;

  signals:
    // One run, from its first frame to where it stopped: one step for undo.
    void runStarted();
    void runStopped();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createActions();
    void restart(); // a new motion from the figure as it stands, the run going on
    void moveTo(double seconds);
    void keepTracesUpTo(double seconds);
    void announceReadouts(double seconds);
    void say(const QString& text);

    Form1& form_;
    QActionGroup* movers_ = nullptr;
    QActionGroup* speeds_ = nullptr;
    QAction* traces_ = nullptr;
    QAction* startStop_ = nullptr;
    QList<QAction*> menuActions_;

    QTimer frames_;
    QElapsedTimer steady_;
    std::function<double()> clock_;
    std::optional<DemoMotion> motion_;
    double startTime_ = 0;
    double lastFrame_ = -1;
    int turnsKept_ = 0;     // sixty-degree turns of P kept as traces in this motion
    QString heardReadouts_; // the shown readouts screen readers heard last
    double heardAt_ = 0;    // and when
};
