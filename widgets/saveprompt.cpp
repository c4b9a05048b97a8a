#include "widgets/saveprompt.h"

#include "widgets/dialogzoom.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString SavePrompt::ask(QWidget* parent, const QString& title, const QString& suggestedPath) {
    // Qt's own dialog with Qt's Japanese texts, whatever the desktop's language; the
    // translation is there only while the dialog is.
    QTranslator japanese;
    const bool translated =
        japanese.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(&japanese);

    QFileDialog dialog(parent, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PNG 画像 (*.png)"));
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.selectFile(suggestedPath);
    dialogzoom::apply(dialog, zoom_);
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    const QString path = accepted ? dialog.selectedFiles().constFirst() : QString();

    if (translated) QCoreApplication::removeTranslator(&japanese);
    return path;
}
