// The name box as the program shows it, with the buttons' words given outright
// ("OK", "キャンセル"), for a real-window test to compare the program's own box with.
#include "canvas/fonts.h"

#include <QApplication>
#include <QInputDialog>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    fonts::installSubstitutions();
    QInputDialog box;
    box.setWindowTitle(QStringLiteral("reference name box"));
    box.setLabelText(QStringLiteral("名前を入力してください。\n\n名前を入力しないと印刷できません。"));
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("キャンセル"));
    box.show();
    return app.exec();
}
