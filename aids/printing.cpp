#include "app/form1.h"

#include <QApplication>
#include <QMessageBox>

namespace {
const QString kTitle = QStringLiteral("印刷");
// The two sentences stand apart with one blank line between them.
const QString kPrompt = QStringLiteral("名前を入力してください。\n\n名前を入力しないと印刷できません。");
} // namespace

// From OK in the name box to the print server's answer: the name goes into the
// window and the window onto the page.
WindowPrinter::Outcome Form1::PrintWindow(const QString& name) {
    marks.Label7.caption = QStringLiteral("名前：") + name;

    // The name box is gone from the screen at once, and the pointer says the
    // program is busy until the printer has answered.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    repaint();

    // The canvas view paints the drawing itself, so the page shows it as the screen
    // does; the name label, white on screen, is black on the page only. The page shows
    // the window at its design size, whatever the zoom on the screen.
    auto pageLook = [this](bool onPage) {
        gamenView->setPrinting(onPage);
        ShowDesignSize(onPage);
    };
    pageLook(true);
    windowPrinter->setPageLook(pageLook);
    const WindowPrinter::Outcome outcome =
        windowPrinter->print(*clientArea, QStringLiteral("円周角の定理 ") + marks.Label7.caption);
    pageLook(false);
    gamenView->update();
    QApplication::restoreOverrideCursor();
    return outcome;
}

// Asks for the pupil's name and prints the whole window with it on one page.
void Form1::Command6_Click() {
    namePrompt->setZoom(zoom());
    const QString name = namePrompt->ask(this, kTitle, kPrompt);
    // The prompt has told the user already that no name means no printout.
    if (name.isEmpty()) return;
    const WindowPrinter::Outcome outcome = PrintWindow(name);

    QString explanation = windowPrinter->explanation();
    if (outcome == WindowPrinter::Outcome::Held) {
        QMessageBox::information(this, kTitle, explanation);
    } else if (outcome == WindowPrinter::Outcome::Failed) {
        if (explanation.isEmpty())
            explanation = QStringLiteral("印刷できませんでした。\nプリンターの設定を確かめてください。");
        QMessageBox::warning(this, kTitle, explanation);
    }
}
