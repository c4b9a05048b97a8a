#include "printing/nameprompt.h"

#include "widgets/dialogzoom.h"

#include <QInputDialog>

QString NamePrompt::ask(QWidget* parent, const QString& title, const QString& prompt) {
    QInputDialog box(parent);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    dialogzoom::apply(box, zoom_);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}
