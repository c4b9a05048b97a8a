#include "app/form1.h"

#include "widgets/dialogzoom.h"
#include "widgets/helpwindow.h"

// The help that lists the window's keys (the keys themselves are the menu bar's
// entries). "初期画面" and "終了" have no key: one stray key must never lose a lesson's
// figure.

namespace {

const QString kHelpTitle = QStringLiteral("キー操作");

QList<QPair<QString, QString>> helpRows() {
    auto row = [](const char* key, const char* meaning) {
        return qMakePair(QString::fromUtf8(key), QString::fromUtf8(meaning));
    };
    return {
        row("Tab / Shift+Tab",
            "図へ移る。図の中では 点Ｐ → 点Ａ → 点Ｂ → 半径 の順に選び、その次のボタンへ移る"),
        row("P / A / B / R", "図の中で、矢印キーで動かすもの（点Ｐ、点Ａ、点Ｂ、半径）を選ぶ"),
        row("→ ↑ / ← ↓",
            "選んだ点を円周に沿って 1° 動かす（→ ↑ は反時計回り）。半径は 1 ずつ大きく・小さくする"),
        row("Shift + 矢印", "5° ずつ（半径は 5 ずつ）動かす"),
        row("Ctrl + 矢印", "0.1° ずつ動かす"),
        row("矢印（「円周上」なし）", "点Ｐを矢印の向きに 1 ずつ動かす"),
        row("Ctrl+P", "印刷"),
        row("Ctrl+C", "図（描画エリア）を画像としてコピーする"),
        row("Ctrl+Shift+C", "ウィンドウ全体を画像としてコピーする"),
        row("Ctrl+O / Ctrl+S", "授業ファイルを開く / 保存する（Ctrl+Shift+S で名前を付けて保存）"),
        row("Ctrl+Shift+E", "図を PNG 画像として書き出す"),
        row("F11", "全画面表示（Esc で戻る）"),
        row("Ctrl+＋ / Ctrl+− / Ctrl+0", "拡大 / 縮小 / 元の大きさ"),
        row("F1", "このキー操作の一覧"),
        row("Alt+F / Alt+E / Alt+V / Alt+H, F10",
            "メニュー（ファイル・編集・表示・ヘルプ）を開く。画面に合わせる・方眼もここから"),
        row("初期画面・終了", "キーはありません。ボタンを押してください"),
    };
}

} // namespace

void Form1::ShowHelp() {
    if (helpWindow == nullptr) helpWindow = new HelpWindow(kHelpTitle, helpRows(), this);
    helpWindow->setZoom(zoom());
    helpWindow->show();
    dialogzoom::keepOnScreen(*helpWindow);
    helpWindow->raise();
    helpWindow->activateWindow();
}
