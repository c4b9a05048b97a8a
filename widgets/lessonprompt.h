#pragma once
#include <QString>

class QWidget;

// What the lesson files ask and tell, in Japanese: the open and save dialogs, whether to
// replace a file, what to do with unsaved changes, and why something failed. Tests put
// a subclass with fixed answers in its place.
class LessonPrompt {
  public:
    enum class Unsaved { Save, Discard, Cancel };

    virtual ~LessonPrompt() = default;
    // A chosen file, or an empty text when cancelled.
    virtual QString askOpen(QWidget* parent, const QString& folder);
    virtual QString askSave(QWidget* parent, const QString& suggestedPath);
    virtual bool confirmReplace(QWidget* parent, const QString& path);
    // 保存 / 保存しない / キャンセル for the lesson `name` that has unsaved changes.
    virtual Unsaved askUnsaved(QWidget* parent, const QString& name);
    virtual void tell(QWidget* parent, const QString& title, const QString& message);

    // The window's zoom, which the file dialogs follow.
    void setZoom(double factor) { zoom_ = factor; }

  protected:
    double zoom_ = 1;
};
