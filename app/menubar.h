#pragma once
#include <QKeySequence>
#include <QList>
#include <QMenuBar>
#include <QString>

#include <functional>

class AboutBox;
class Form1;
class QAction;
class QMenu;
class QTimer;

// The window's menu bar: ファイル, 編集, 表示 and ヘルプ. Every entry runs the routine of its
// button or key in Form1, and an entry's key works anywhere in the window, also in full
// screen where the bar is out of view. The bar keeps the desktop's own size at every zoom: it
// is for the teacher's hand at the desk, and the zoom steps keep their sizes.
//
// Other rooms add their entries through the four menus and addEntry, for example:
//
//   MenuBar& bar = *form.menuBar;
//   // At the top of ファイル, with a separator before the picture export:
//   QAction* first = bar.file()->actions().value(0);
//   bar.addEntry(bar.file(), "開く…", {QKeySequence::Open}, [&form] { ... }, first);
//   bar.file()->insertSeparator(first);
//   // A menu of its own between 表示 and ヘルプ:
//   QMenu* motion = bar.insertMenuBefore(bar.help(), "動き(&M)");
//   bar.addEntry(motion, "再生", {Qt::Key_F5}, [&form] { ... });
class MenuBar : public QMenuBar {
    Q_OBJECT
  public:
    explicit MenuBar(Form1& form);

    QMenu* file() const { return file_; }
    QMenu* edit() const { return edit_; }
    QMenu* view() const { return view_; }
    QMenu* help() const { return help_; }
    // A new menu titled `title` just before `before` (at the end when it is null).
    QMenu* insertMenuBefore(QMenu* before, const QString& title);

    // An entry `text` in `menu` before `before` (at the end when it is null) that runs
    // `run`. Its keys show beside it and work wherever the focus is in the window.
    QAction* addEntry(QMenu* menu, const QString& text, const QList<QKeySequence>& keys,
                      std::function<void()> run, QAction* before = nullptr);
    // A checkable entry; `checked` tells its state each time the menu opens and after
    // the entry ran, so that it follows the buttons and keys that change the same thing.
    QAction* addCheckEntry(QMenu* menu, const QString& text, const QList<QKeySequence>& keys,
                           std::function<void()> run, std::function<bool()> checked,
                           QAction* before = nullptr);

    // The entry of `menu` whose text (without "&") is `text`; null when there is none.
    QAction* entry(QMenu* menu, const QString& text) const;

    // In full screen the bar stays shown just above the screen's top edge, so that F10 and
    // the Alt keys of its menus still reach it; while one of its menus is in use it comes
    // down over the top of the figure. Outside full screen it is placed by the window.
    void setFullScreen(bool on);
    // Places the bar in full screen: over the figure while in use, out of view otherwise.
    void placeInFullScreen();
    // In full screen Alt pressed and released alone opens the first menu, as F10 does.
    bool eventFilter(QObject* watched, QEvent* event) override;

    // "このプログラムについて": name, version, licence, Qt version and the project's address.
    void ShowAbout();
    AboutBox* aboutBox() const { return aboutBox_; }

  private:
    void addEntries();

    Form1& form_;
    QMenu* file_ = nullptr;
    QMenu* edit_ = nullptr;
    QMenu* view_ = nullptr;
    QMenu* help_ = nullptr;
    AboutBox* aboutBox_ = nullptr;
    bool fullScreen_ = false;
    bool altAlone_ = false;        // Alt is down and no other key came since
    QTimer* inUseCheck_ = nullptr; // while the bar is down in full screen
};
