#pragma once
#include <QLabel>
#include <QString>
#include <QTimer>

// A short message over the foot of the drawing area that tells why the window did not
// do what was asked (a demonstration that cannot start, a hidden point the keys cannot
// move). It goes by itself after a few seconds. It stands above the client area, not
// in it, so no copy, picture or printout of the window holds it.
class Notice : public QLabel {
    Q_OBJECT
  public:
    // `parent` is the window; the message is placed over `area`, one of its widgets.
    Notice(QWidget& parent, QWidget& area);

    // Shows `text` at the window's zoom `factor` for kShownMs.
    void tell(const QString& text, double factor);

    static constexpr int kShownMs = 6000;

  private:
    QWidget& area_;
    QTimer shown_;
};
