#pragma once
#include "lesson/lessonstate.h"
#include "widgets/lessonprompt.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>

class Form1;
class QAction;
class QMenu;

// The lessons a teacher keeps: opening and saving lesson files, the five most recent
// ones, the title that names the lesson and marks unsaved changes, the question before
// changes are lost, and the last figure, kept after every completed change so that a
// crash or a power cut loses nothing. A change is what the pupil sees: the pointer and
// the handle the arrow keys move are none.
//
// The last figure of the previous run stays as it is until this run really changes
// something; it is then moved to lastFigurePreviousPath(), and 前回の図を開く opens it
// from there.
class LessonFiles : public QObject {
    Q_OBJECT
  public:
    static constexpr int kRecentCount = 5;
    // A completed change is looked for this long after a button or key is let go.
    static constexpr int kCheckDelayMs = 400;

    explicit LessonFiles(Form1& form);

    bool Open();                        // 開く… (Ctrl+O)
    bool Save();                        // 保存 (Ctrl+S)
    bool SaveAs();                      // 名前を付けて保存… (Ctrl+Shift+S)
    bool OpenFile(const QString& path); // the command line, a drop, a recent file
    bool OpenLastFigure();              // 前回の図を開く: the previous run's last figure
    // The command line's file by its name's bytes, which need not be UTF-8 there. Such a
    // lesson opens untitled: saved under the text of its name it would be another file.
    bool OpenFile(const QString& path, const QByteArray& systemName);
    // Before the lesson is left (another is opened, the window closes): true to go on.
    // A window that differs from its file, or from the start screen when it has none,
    // asks 保存 / 保存しない / キャンセル.
    bool MayLeave();

    QString filePath() const { return path_; }
    // The window differs from its file, or from the start screen when it has none.
    bool isModified() const { return modified_; }
    QStringList recentFiles() const;
    // The last figure is written only where the program switches it on.
    void keepLastFigure(bool on);
    static QString lastFigurePath();
    // Where the previous run's last figure goes once this run has written its own.
    static QString lastFigurePreviousPath();
    // The file 前回の図を開く opens.
    QString previousRunFigure() const;
    // Compares the window with what was kept; keeps it and marks the title if it changed.
    void checkForChange();

    // The entries of the ファイル menu, in order (the recent files as a submenu).
    QAction* openAction = nullptr;
    QAction* saveAction = nullptr;
    QAction* saveAsAction = nullptr;
    QMenu* recentMenu = nullptr;
    QAction* lastFigureAction = nullptr;

    std::unique_ptr<LessonPrompt> prompt = std::make_unique<LessonPrompt>();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createActions();
    bool writeTo(const QString& path);
    bool applyFrom(const QString& path, const QString& shownName, const QByteArray& systemName = {});
    void addRecent(const QString& path);
    void fillRecentMenu();
    void updateTitle();
    void writeLastFigure(const LessonState& lesson);

    Form1& form_;
    QString baseTitle_;
    QString path_;      // the lesson's file; empty for a figure never saved
    LessonState saved_; // as the file holds it (the start screen for a new window)
    LessonState kept_;  // as last compared (and written as the last figure)
    bool modified_ = false;
    bool keeping_ = false;
    bool wroteLastFigure_ = false; // this run has replaced the previous run's last figure
    QTimer check_;
};
