#include "app/menubar.h"

#include "app/form1.h"
#include "widgets/aboutbox.h"
#include "widgets/dialogzoom.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>
#include <QTimer>

#include <utility>

namespace {
// How often the bar, down in full screen, looks whether it is still in use.
constexpr int kInUseCheckMs = 100;
} // namespace

MenuBar::MenuBar(Form1& form) : QMenuBar(&form), form_(form) {
    setObjectName(QStringLiteral("menuBar"));
    // The bar looks like any program's, not like the pale green panel below it.
    // Every role is set, or the window's pale green would pass down.
    QPalette plain = QApplication::palette(this);
    plain.setResolveMask(~QPalette::ResolveMask(0));
    setPalette(plain);
    setAutoFillBackground(true);
    // The bar sits inside the window on every platform, so that the window's size is
    // known and the same everywhere.
    setNativeMenuBar(false);
    file_ = addMenu(QStringLiteral("ファイル(&F)"));
    edit_ = addMenu(QStringLiteral("編集(&E)"));
    view_ = addMenu(QStringLiteral("表示(&V)"));
    help_ = addMenu(QStringLiteral("ヘルプ(&H)"));
    addEntries();
    // The button that shows menus that do not fit on the bar.
    for (QAbstractButton* more : findChildren<QAbstractButton*>())
        more->setAccessibleName(QStringLiteral("その他のメニュー"));
    // F10 opens the first menu, as on other desktops; the arrows go on from there.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), &form);
    connect(menuKey, &QShortcut::activated, this, [this] {
        if (isVisible()) setActiveAction(actions().value(0));
    });
    inUseCheck_ = new QTimer(this);
    inUseCheck_->setInterval(kInUseCheckMs);
    connect(inUseCheck_, &QTimer::timeout, this, &MenuBar::placeInFullScreen);
    // A menu title becomes current (F10, an Alt key, the arrows): the bar comes down.
    connect(this, &QMenuBar::hovered, this, &MenuBar::placeInFullScreen);
}

void MenuBar::setFullScreen(bool on) {
    fullScreen_ = on;
    altAlone_ = false;
    if (on) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        inUseCheck_->stop();
    }
    placeInFullScreen();
}

bool MenuBar::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (!key || !watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != &form_) {
        if (event->type() == QEvent::MouseButtonPress) altAlone_ = false;
        return false;
    }
    const auto* press = static_cast<QKeyEvent*>(event);
    if (press->isAutoRepeat()) return false;
    // A key taken by a shortcut (Alt+M) is not pressed for the widgets; its release is.
    if (press->key() != Qt::Key_Alt) {
        altAlone_ = false;
    } else if (event->type() == QEvent::KeyPress) {
        altAlone_ = true;
    } else if (std::exchange(altAlone_, false) && activeAction() == nullptr) {
        setActiveAction(actions().value(0));
    }
    return false;
}

void MenuBar::placeInFullScreen() {
    if (!fullScreen_) return;
    // Its menus, and theirs, are windows of their own with the bar above them.
    bool popupOfBar = false;
    for (const QWidget* up = QApplication::activePopupWidget(); up && !popupOfBar; up = up->parentWidget())
        popupOfBar = up == this;
    const bool inUse = activeAction() != nullptr || hasFocus() || popupOfBar;
    const int height = sizeHint().height();
    setGeometry(0, inUse ? 0 : -height, parentWidget()->width(), height);
    if (inUse) {
        raise();
        inUseCheck_->start();
    } else {
        inUseCheck_->stop();
    }
}

QMenu* MenuBar::insertMenuBefore(QMenu* before, const QString& title) {
    auto* menu = new QMenu(title, this);
    insertMenu(before ? before->menuAction() : nullptr, menu);
    return menu;
}

QAction* MenuBar::addEntry(QMenu* menu, const QString& text, const QList<QKeySequence>& keys,
                           std::function<void()> run, QAction* before) {
    auto* action = new QAction(text, menu);
    action->setShortcuts(keys);
    menu->insertAction(before, action);
    // The window holds the keys too: it is visible when the bar is not.
    if (!keys.isEmpty()) form_.addAction(action);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    return action;
}

QAction* MenuBar::addCheckEntry(QMenu* menu, const QString& text, const QList<QKeySequence>& keys,
                                std::function<void()> run, std::function<bool()> checked, QAction* before) {
    QAction* action = addEntry(menu, text, keys, std::move(run), before);
    action->setCheckable(true);
    action->setChecked(checked());
    // Connected after the routine, so this runs once it has ended.
    auto follow = [action, checked = std::move(checked)] { action->setChecked(checked()); };
    connect(action, &QAction::triggered, action, follow);
    connect(menu, &QMenu::aboutToShow, action, follow);
    return action;
}

QAction* MenuBar::entry(QMenu* menu, const QString& text) const {
    for (QAction* action : menu->actions())
        if (QString(action->text()).remove(QLatin1Char('&')) == text) return action;
    return nullptr;
}

void MenuBar::addEntries() {
    Form1& form = form_;
    // Each entry does what its button or key does: a click on the button itself where
    // there is one, so that the repaint after it is the button's too.
    addEntry(file_, QStringLiteral("図を画像として書き出す…"),
             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)}, [&form] { form.SaveDrawingArea(); });
    addEntry(file_, QStringLiteral("印刷…"), {QKeySequence(Qt::CTRL | Qt::Key_P)},
             [&form] { form.Command6->click(); });
    file_->addSeparator();
    addEntry(file_, QStringLiteral("終了"), {}, [&form] { form.Command2->click(); });

    addEntry(edit_, QStringLiteral("図をコピー"), {QKeySequence(Qt::CTRL | Qt::Key_C)},
             [&form] { form.CopyDrawingArea(); });
    addEntry(edit_, QStringLiteral("ウィンドウをコピー"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
             [&form] { form.CopyWindow(); });
    edit_->addSeparator();
    addEntry(edit_, QStringLiteral("初期画面に戻す"), {}, [&form] { form.Command1->click(); });

    // "+" is also taken unshifted, from the "=" key, and from the keypad.
    addEntry(view_, QStringLiteral("拡大"),
             {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
             [&form] { form.ZoomIn(); });
    addEntry(view_, QStringLiteral("縮小"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
             [&form] { form.ZoomOut(); });
    addEntry(view_, QStringLiteral("元の大きさ"), {QKeySequence(Qt::CTRL | Qt::Key_0)},
             [&form] { form.ZoomReset(); });
    addEntry(view_, QStringLiteral("画面に合わせる"), {}, [&form] { form.FitToScreen(); });
    view_->addSeparator();
    addCheckEntry(
        view_, QStringLiteral("全画面表示"), {QKeySequence(Qt::Key_F11)},
        [&form] { form.ToggleFullScreen(); }, [&form] { return form.isFullScreenView(); });
    addCheckEntry(
        view_, QStringLiteral("方眼"), {}, [&form] { form.Command4->click(); },
        [&form] { return form.gridShown != 0; });

    addEntry(help_, QStringLiteral("使い方"), {QKeySequence(Qt::Key_F1)}, [&form] { form.ShowHelp(); });
    addEntry(help_, QStringLiteral("このプログラムについて"), {}, [this] { ShowAbout(); });
}

void MenuBar::ShowAbout() {
    if (aboutBox_ == nullptr) aboutBox_ = new AboutBox(&form_);
    aboutBox_->setZoom(form_.zoom());
    aboutBox_->show();
    dialogzoom::keepOnScreen(*aboutBox_);
    aboutBox_->raise();
    aboutBox_->activateWindow();
}

void Form1::CreateMenuBar() {
    menuBar = new MenuBar(*this);
    // The window grows by the bar's height; the client area below it is unchanged.
    setFixedSize(width(), height() + menuBarHeight());
    centreClientArea();
}
