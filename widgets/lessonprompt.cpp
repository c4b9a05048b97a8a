#include "widgets/lessonprompt.h"

#include "widgets/saveprompt.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
const QString kLessonFilter = QStringLiteral("授業ファイル (*.enshu)");
const QString kSuffix = QStringLiteral("enshu");
} // namespace

QString LessonPrompt::askOpen(QWidget* parent, const QString& folder) {
    return SavePrompt::fileDialog(parent, QStringLiteral("授業ファイルを開く"), folder, kLessonFilter,
                                  kSuffix, false, zoom_);
}

QString LessonPrompt::askSave(QWidget* parent, const QString& suggestedPath) {
    return SavePrompt::fileDialog(parent, QStringLiteral("授業ファイルに名前を付けて保存"), suggestedPath,
                                  kLessonFilter, kSuffix, true, zoom_);
}

bool LessonPrompt::confirmReplace(QWidget* parent, const QString& path) {
    SavePrompt ask;
    return ask.confirmReplace(parent, QStringLiteral("授業ファイルの保存"), path);
}

LessonPrompt::Unsaved LessonPrompt::askUnsaved(QWidget* parent, const QString& name) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("保存されていない変更"),
                    QStringLiteral("「%1」の変更は保存されていません。保存しますか？").arg(name),
                    QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("保存しない"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return Unsaved::Save;
    if (box.clickedButton() == discard) return Unsaved::Discard;
    return Unsaved::Cancel;
}

void LessonPrompt::tell(QWidget* parent, const QString& title, const QString& message) {
    QMessageBox::warning(parent, title, message);
}
