#include "app/form1.h"

#include <QMessageBox>

namespace {
const QString kTitle = QStringLiteral("印刷");
// The two sentences stand apart with one blank line between them.
const QString kPrompt = QStringLiteral("名前を入力してください。\n\n名前を入力しないと印刷できません。");
} // namespace

// Asks for the pupil's name and prints the whole window with it on one page.
void Form1::Command6_Click() {
    const QString name = namePrompt->ask(this, kTitle, kPrompt);
    // The prompt has told the user already that no name means no printout.
    if (name.isEmpty()) return;
    marks.Label7.caption = QStringLiteral("名前：") + name;

    // The canvas view paints the drawing itself, so the page shows it as the screen
    // does; the name label, white on screen, is black on the page only.
    gamenView->setPrinting(true);
    // The page shows the window at its design size, whatever the zoom on the screen.
    WindowPrinter::Outcome outcome = WindowPrinter::Outcome::Failed;
    AtDesignSize([&](QWidget& window) {
        outcome = windowPrinter->print(window, QStringLiteral("円周角の定理 ") + marks.Label7.caption);
    });
    gamenView->setPrinting(false);
    gamenView->update();

    if (outcome == WindowPrinter::Outcome::Failed) {
        QMessageBox::warning(this, kTitle,
                             QStringLiteral("印刷できませんでした。\nプリンターの設定を確かめてください。"));
    }
}
