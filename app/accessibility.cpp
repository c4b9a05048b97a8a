#include "app/form1.h"

#include "app/menubar.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

// Names and descriptions for screen readers. Every control is named in Japanese (its
// caption, or what it does where the caption says too little); the drawing area's
// description says the figure as it shows.

namespace {

// Degrees or pixels to one decimal, without a trailing ".0".
QString number(double value) {
    QString text = QString::number(std::round(value * 10) / 10, 'f', 1);
    if (text.endsWith(QStringLiteral(".0"))) text.chop(2);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

void name(QWidget* widget, const QString& accessibleName, const QString& description = QString()) {
    widget->setAccessibleName(accessibleName);
    if (!description.isEmpty()) widget->setAccessibleDescription(description);
}

} // namespace

void Form1::SetAccessibleNames() {
    name(clientArea, QStringLiteral("図と操作パネル"));
    name(gamenView, QStringLiteral("円周角の図"));
    name(Command1, QStringLiteral("初期画面"), QStringLiteral("図を最初の状態に戻す"));
    name(Command6, QStringLiteral("印刷"), QStringLiteral("名前を入れてウィンドウを印刷する"));
    name(Command5, QStringLiteral("直線"), QStringLiteral("直線を引く道具を使う・やめる"));
    name(Command3, QStringLiteral("メモ"), QStringLiteral("メモ書きのペンを使う・やめる"));
    name(Command4, QStringLiteral("方眼"), QStringLiteral("方眼を表示する・消す"));
    name(Command7[0], QStringLiteral("跡を残す"), QStringLiteral("今の点Ｐの角を跡として残す、５カ所まで"));
    name(Command7[1], QStringLiteral("跡を消す"), QStringLiteral("新しい跡から順に消す"));
    name(Command2, QStringLiteral("終了"), QStringLiteral("プログラムを終わる"));

    const QString colours[4] = {QStringLiteral("赤"), QStringLiteral("緑"), QStringLiteral("青"),
                                QStringLiteral("黒")};
    for (int i = 0; i < 4; ++i)
        name(Option2[i], QStringLiteral("直線の色 ") + colours[i],
             QStringLiteral("次に引く直線を%1にする").arg(colours[i]));
    for (int i = 0; i < 5; ++i) {
        name(Check1[i], QStringLiteral("直線 %1").arg(i + 1), QStringLiteral("印を外すとこの直線を消す"));
    }
    const QString pens[4] = {QStringLiteral("赤"), QStringLiteral("緑"), QStringLiteral("青"),
                             QStringLiteral("消しゴム")};
    for (int i = 0; i < 4; ++i) {
        const QString does = i == 3 ? QStringLiteral("メモを%1の消しゴムで消す")
                                    : QStringLiteral("メモを%2の%1のペンで書く").arg(pens[i]);
        name(Option1[i], QStringLiteral("細字 ") + pens[i], does.arg(QStringLiteral("細字")));
        name(Option1[i + 4], QStringLiteral("太字 ") + pens[i], does.arg(QStringLiteral("太字")));
    }

    name(Check6, QStringLiteral("点Ｐ"), QStringLiteral("点Ｐを表示する"));
    name(Check7, QStringLiteral("∠ＡＰＢ"), QStringLiteral("円周角の印を表示する"));
    name(Check2[1], QStringLiteral("円周角"), QStringLiteral("円周角の大きさを表示する"));
    name(Check8, QStringLiteral("∠ＡＯＢ"), QStringLiteral("中心角の印を表示する"));
    name(Check2[0], QStringLiteral("中心角"), QStringLiteral("中心角の大きさを表示する"));
    name(Check5, QStringLiteral("弧ＡＢ"), QStringLiteral("弧ＡＢを表示する、メモは消去される"));
    name(Check4, QStringLiteral("補助線"), QStringLiteral("点Ｐから中心を通る直径を表示する"));
    name(Check9, QStringLiteral("円周上"), QStringLiteral("点Ｐを円周上に置く"));
    name(Check3, QStringLiteral("前の図を消さない"),
         QStringLiteral("点を動かしている間、前の位置の図を消さずに残す"));

    // Every button and box tells what it does when the pointer rests on it, with its key
    // where it has one, and its name where the caption says less ("nonClear", "1", "赤").
    for (QAbstractButton* control : clientArea->findChildren<QAbstractButton*>()) {
        const QString does = control->accessibleDescription();
        const QString named = control->accessibleName();
        control->setToolTip(control->text() == named ? does : named + QStringLiteral("：") + does);
    }
    const QAction* print = menuBar->entry(menuBar->file(), QStringLiteral("印刷…"));
    Command6->setToolTip(QStringLiteral("%1 (%2)").arg(Command6->toolTip(),
                                                       print->shortcut().toString(QKeySequence::NativeText)));

    // The title is the logo, not the box that shows the inscribed angle's size.
    name(Label1, QStringLiteral("表題 円周角"));
    // The readouts are read with what they measure (access/); the degree sign follows.
    name(Label6[0], QStringLiteral("度"));
    name(Label6[1], QStringLiteral("度"));
    Label5[0]->setAccessibleDescription(QStringLiteral("中心角の大きさ（度）"));
    Label5[1]->setAccessibleDescription(QStringLiteral("円周角の大きさ（度）"));
    for (PushButton* mode : {Command3, Command4, Command5}) mode->setShowsMode(true);

    // The menu bar and its menus, named as their titles read.
    name(menuBar, QStringLiteral("メニューバー"));
    for (QMenu* menu : menuBar->findChildren<QMenu*>()) {
        if (!menu->accessibleName().isEmpty()) continue;
        const QString title = menu->title().remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
        // The bar's own menu of the entries that do not fit has no title.
        name(menu, title.isEmpty() ? QStringLiteral("その他のメニュー") : title);
    }
}

// Only what shows on the screen: a hidden P or a hidden readout is not told.
QString Form1::FigureDescription() const {
    QStringList parts{QStringLiteral("点Ａ %1 度、点Ｂ %2 度、半径 %3")
                          .arg(number(angleA), number(angleB), number(radius))};
    if (figureAccess_ && figureAccess_->handleValue(1)) {
        const double distance = std::hypot(pX - oX, pY - oY);
        if (Check9->value() == 1 || std::abs(distance - radius) < 0.5)
            parts << QStringLiteral("点Ｐ %1 度、円周上").arg(number(angleP));
        else
            parts << (distance < radius ? QStringLiteral("点Ｐは円の内側")
                                        : QStringLiteral("点Ｐは円の外側"));
    }
    if (!Label5[1]->isHidden()) parts << QStringLiteral("円周角 %1 度").arg(Label5[1]->text());
    if (!Label5[0]->isHidden()) parts << QStringLiteral("中心角 %1 度").arg(Label5[0]->text());
    return parts.join(QStringLiteral("。")) +
           QStringLiteral("。Ｐ、Ａ、Ｂ、Ｒで点や半径を選び、矢印キーで動かす");
}
