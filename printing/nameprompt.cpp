#include "printing/nameprompt.h"

#include <QInputDialog>
#include <QLineEdit>

QString NamePrompt::ask(QWidget* parent, const QString& title, const QString& prompt) {
    bool accepted = false;
    const QString text =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, QString(), &accepted);
    return accepted ? text : QString();
}
