#include "app/form1.h"

#include "widgets/dialogzoom.h"
#include "widgets/helpwindow.h"

// The help on F1: how to use the program with the mouse, lessons, undo, the
// demonstration, full screen and zoom, then the window's keys (the keys themselves are
// the menu bar's entries). "初期画面" and "終了" have no key: one stray key must never
// lose a lesson's figure.

namespace {

const QString kHelpTitle = QStringLiteral("使い方");

HelpWindow::Rows helpSections() {
    auto section = [](const char* heading, const char* body) {
        return qMakePair(QString::fromUtf8(heading), QString::fromUtf8(body));
    };
    return {
        section("マウスで動かす",
                "点Ｐ・点Ａ・点Ｂは左ボタンでドラッグすると円周に沿って動きます（点Ａと点Ｂは 15° "
                "より近づきません）。"
                "円の右下の青い四角をドラッグすると半径が変わります（75 から 275 まで）。"
                "右の列のボックスで、点Ｐ、∠ＡＰＢ（円周角の印）、円周角の大きさ、∠ＡＯＢ（中心角の印）、"
                "中心角の大きさ、弧ＡＢ、補助線を順に表示します。半径を手で変えると、表示は消えます。"
                "「円周上」を外すと点Ｐは円の外や内側へも動かせます。「跡を残す」は今の点Ｐの角を緑の跡として"
                "残します（５つまで）。"
                "右ボタンでメモ書きを消して図を描き直します。"),
        section("メモと直線", "「メモ」を押すと左ボタンで図に書き込めます（もう一度押すと終わる）。「直線」を"
                              "押すと、ドラッグで直線を"
                              "５本まで引けます。メモや直線を使っている間は、点は動きません。"),
        section("授業ファイル",
                "ファイル → "
                "保存（Ctrl+S）で、点の位置、ボックス、跡、直線、メモ書きをそのまま授業ファイル（.enshu）に"
                "保存します。ファイル → 開く…（Ctrl+O）や最近使ったファイルで授業の前に準備した図を開きます。"
                "ファイル → 前回の図を開く で、終了や停電の前の図に戻れます（図は自動で残されます）。"),
        section(
            "元に戻す",
            "編集 → 元に戻す（Ctrl+Z）で、ドラッグ、ボタン、メモ書きなどの操作をひとつずつ取り消します。"
            "やり直し は Ctrl+Y か Ctrl+Shift+Z です。動きの再生は、始めから止めるまでがひとつの操作です。"),
        section(
            "動き",
            "F5（動き → 開始）で、選んだものがひとりでに動きます。動き メニューで、動かすもの"
            "（点Ｐ：円を回る、点Ａ・点Ｂ：もう一方の点に近づいて戻る、半径：75 と 275 の間を往復）と、"
            "速さ（ゆっくり・ふつう・はやく）を選びます。半径が動く間も、表示している角と大きさはそのまま正し"
            "く表示されます。"
            "「跡を残しながら」を選ぶと、点Ｐが 60° 進むごとに跡を残します。F5、Esc、クリック、キーで止まり、"
            "図は止まったところに残ります。点Ｐを動かすには「点Ｐ」にチェックを入れておきます。"),
        section(
            "全画面と拡大",
            "F11 で全画面表示（F11 か Esc で戻る）。Ctrl+＋ / Ctrl+− で 25 % ずつ拡大・縮小、Ctrl+0 "
            "で元の大きさ。"
            "表示 → 画面に合わせる で画面いっぱいの大きさにします。大きさは次に起動したときも使われます。"),
    };
}

HelpWindow::Rows helpRows() {
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
        row("Ctrl+Z", "元に戻す（図・メモ・ボタンの操作をひとつずつ）"),
        row("Ctrl+Y / Ctrl+Shift+Z", "やり直し"),
        row("Ctrl+P", "印刷"),
        row("Ctrl+C", "図（描画エリア）を画像としてコピーする"),
        row("Ctrl+Shift+C", "ウィンドウ全体を画像としてコピーする"),
        row("Ctrl+O / Ctrl+S", "授業ファイルを開く / 保存する（Ctrl+Shift+S で名前を付けて保存）"),
        row("Ctrl+Shift+E", "図を PNG 画像として書き出す"),
        row("F5", "動きの開始・停止：選んだもの（点Ｐ・点Ａ・点Ｂ・半径）がひとりでに動く。Esc、クリック、キ"
                  "ーでも止まる"),
        row("F11", "全画面表示（Esc で戻る）"),
        row("Ctrl+＋ / Ctrl+− / Ctrl+0", "拡大 / 縮小 / 元の大きさ"),
        row("F1", "この使い方"),
        row("Alt+F / Alt+E / Alt+V / Alt+M / Alt+H, F10",
            "メニュー（ファイル・編集・表示・動き・ヘルプ）を開く。画面に合わせる・方眼もここから"),
        row("初期画面・終了", "キーはありません。ボタンを押してください"),
    };
}

} // namespace

void Form1::ShowHelp() {
    if (helpWindow == nullptr)
        helpWindow = new HelpWindow(kHelpTitle, helpSections(), QStringLiteral("キー操作"), helpRows(), this);
    helpWindow->setZoom(zoom());
    helpWindow->show();
    dialogzoom::keepOnScreen(*helpWindow);
    helpWindow->raise();
    helpWindow->activateWindow();
}
