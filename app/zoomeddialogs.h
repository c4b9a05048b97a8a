#pragma once
#include <QObject>

class Form1;
class QWidget;

// Every dialog and tooltip of the window at the window's zoom: a question or a message
// box (保存／保存しない／キャンセル, a failure, 置き換える) grows with the figure when it
// shows, as do the tips of the controls, so that a class reads them from the back of the
// room. Dialogs that scale themselves (help, name box, file dialogs) keep their own zoom.
class ZoomedDialogs : public QObject {
    Q_OBJECT
  public:
    explicit ZoomedDialogs(Form1& form);
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool ofWindow(const QWidget* widget) const;

    Form1& form_;
};
