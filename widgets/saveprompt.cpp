#include "widgets/saveprompt.h"

#include "widgets/dialogzoom.h"
#include "widgets/safesave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <algorithm>

namespace {

// The file list's columns as Qt first sizes them, for the dialog's font now: at the
// window's zoom whole names show, whatever widths an earlier, larger dialog left.
void sizeColumns(QFileDialog& dialog) {
    const QFontMetrics metrics(dialog.font());
    const QList<int> widths{metrics.horizontalAdvance(QString(26, QLatin1Char('w'))),
                            metrics.horizontalAdvance(QStringLiteral("128.88 GB")),
                            metrics.horizontalAdvance(QStringLiteral("mp3Folder")),
                            metrics.horizontalAdvance(QStringLiteral("10/29/81 02:02PM"))};
    for (QHeaderView* header : dialog.findChildren<QHeaderView*>())
        for (int section = 0; section < std::min(header->count(), int(widths.size())); ++section)
            header->resizeSection(section, widths[section]);
}

} // namespace

QString SavePrompt::fileDialog(QWidget* parent, const QString& title, const QString& suggestedPath,
                               const QString& nameFilter, const QString& suffix, bool saving, double zoom) {
    // Qt's own dialog with Qt's Japanese texts, whatever the desktop's language; the
    // translation is there only while the dialog is.
    QTranslator japanese;
    const bool translated =
        japanese.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(&japanese);

    QFileDialog dialog(parent, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The dialog would ask about the name as typed; the caller asks about the file it
    // will really write, once its suffix is added.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(nameFilter);
    dialog.setDefaultSuffix(suffix);
    if (saving) {
        dialog.selectFile(suggestedPath);
    } else {
        dialog.setDirectory(suggestedPath);
    }
    // The dialog grows with its fonts from the size Qt gives it, never shrinking below it.
    const QSize design = dialog.size();
    dialogzoom::apply(dialog, zoom);
    sizeColumns(dialog);
    dialog.resize(dialog.size().expandedTo(design * zoom));
    dialogzoom::keepOnScreen(dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    const QString path = accepted ? dialog.selectedFiles().constFirst() : QString();

    if (translated) QCoreApplication::removeTranslator(&japanese);
    return path;
}

QString SavePrompt::ask(QWidget* parent, const QString& title, const QString& suggestedPath) {
    return fileDialog(parent, title, suggestedPath, QStringLiteral("PNG 画像 (*.png)"), QStringLiteral("png"),
                      true, zoom_);
}

bool SavePrompt::confirmReplace(QWidget* parent, const QString& title, const QString& path) {
    QMessageBox box(QMessageBox::Warning, title,
                    QStringLiteral("「%1」はもうあります。置き換えますか？").arg(QFileInfo(path).fileName()),
                    QMessageBox::NoButton, parent);
    QPushButton* replace = box.addButton(QStringLiteral("置き換える"), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == replace;
}

QString SavePrompt::writtenPath(const QString& chosen, const QString& suffix) {
    if (chosen.isEmpty()) return {};
    const QFileInfo info(chosen);
    QString name = SafeSave::withoutControlCharacters(info.fileName());
    if (name.isEmpty()) return {};
    if (QFileInfo(name).suffix().compare(suffix, Qt::CaseInsensitive) != 0) name += QLatin1Char('.') + suffix;
    return QDir(info.path()).filePath(name);
}
