#include "lesson/lessonfiles.h"

#include "aids/demonstration.h"
#include "app/form1.h"
#include "app/menubar.h"
#include "lesson/lessonfile.h"
#include "lesson/regularfile.h"
#include "widgets/saveprompt.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString kRecentKey = QStringLiteral("lessons/recent");
const QString kSuffix = QString::fromLatin1(LessonFile::kSuffix);
constexpr QSize kPreviewSize(175, 125);

QSettings settings() {
    // The system's own place (the registry on Windows); tests put INI files of their own there.
    return QSettings(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("enshukaku"),
                     QStringLiteral("enshukaku"));
}

QString documentsFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() || !QDir(folder).exists() ? QDir::homePath() : folder;
}

QString nameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

// The name a window without a file goes by in the question before its changes are lost.
const QString kUntitledName = QStringLiteral("この図");

// A file's path, absolute and without "." or "..".
QString cleanPath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Whether two paths name one file, through links too.
bool sameFile(const QString& a, const QString& b) {
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    const QString canonicalB = QFileInfo(b).canonicalFilePath();
    if (!canonicalA.isEmpty() && canonicalA == canonicalB) return true;
    return cleanPath(a) == cleanPath(b);
}

// One local file carried by a drag, or nothing.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

LessonFiles::LessonFiles(Form1& form) : QObject(&form), form_(form) {
    baseTitle_ = form_.windowTitle();
    saved_ = kept_ = CaptureLesson(form_);
    check_.setSingleShot(true);
    check_.setInterval(kCheckDelayMs);
    connect(&check_, &QTimer::timeout, this, &LessonFiles::checkForChange);
    // Undo and redo change the lesson, however they were asked for.
    connect(form_.undo.get(), &Undo::changed, this, [this] {
        if (!check_.isActive()) check_.start();
    });
    form_.setAcceptDrops(true);
    // Every release in the program comes here, the window's close and drops too.
    qApp->installEventFilter(this);
    createActions();
}

// The entries go at the top of the ファイル menu, above the picture export.
void LessonFiles::createActions() {
    MenuBar& bar = *form_.menuBar;
    QMenu* file = bar.file();
    QAction* first = file->actions().value(0);
    auto entry = [&](const QString& text, QList<QKeySequence> keys, bool (LessonFiles::*work)()) {
        return bar.addEntry(
            file, text, keys, [this, work] { (this->*work)(); }, first);
    };
    openAction = entry(QStringLiteral("開く(&O)…"), {QKeySequence(Qt::CTRL | Qt::Key_O)}, &LessonFiles::Open);
    saveAction = entry(QStringLiteral("保存(&S)"), {QKeySequence(Qt::CTRL | Qt::Key_S)}, &LessonFiles::Save);
    saveAsAction = entry(QStringLiteral("名前を付けて保存(&A)…"),
                         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, &LessonFiles::SaveAs);
    recentMenu = new QMenu(QStringLiteral("最近使ったファイル(&R)"), file);
    // Named as its title reads, as the window names the bar's other menus.
    recentMenu->setAccessibleName(QStringLiteral("最近使ったファイル"));
    file->insertMenu(first, recentMenu);
    lastFigureAction = entry(QStringLiteral("前回の図を開く(&L)"), {}, &LessonFiles::OpenLastFigure);
    file->insertSeparator(first);
    fillRecentMenu();
}

bool LessonFiles::Open() {
    // A lesson opens on a figure that holds still: a demonstration ends here.
    if (form_.demonstration) form_.demonstration->stop();
    const QString folder = path_.isEmpty() ? documentsFolder() : QFileInfo(path_).absolutePath();
    prompt->setZoom(form_.zoom());
    const QString chosen = prompt->askOpen(&form_, folder);
    return !chosen.isEmpty() && OpenFile(chosen);
}

bool LessonFiles::OpenFile(const QString& path) {
    return OpenFile(path, RegularFile::systemName(path));
}

bool LessonFiles::OpenFile(const QString& path, const QByteArray& systemName) {
    if (!MayLeave()) return false;
    if (!applyFrom(path, nameOf(path), systemName)) {
        if (!QFileInfo::exists(path)) {
            QStringList recent = recentFiles();
            recent.removeIf([&path](const QString& entry) { return sameFile(entry, path); });
            settings().setValue(kRecentKey, recent);
            fillRecentMenu();
        }
        return false;
    }
    saved_ = CaptureLesson(form_);
    modified_ = false;
    if (RegularFile::systemName(path) != systemName) {
        path_.clear();
    } else {
        path_ = cleanPath(path);
        addRecent(path_);
    }
    updateTitle();
    return true;
}

bool LessonFiles::OpenLastFigure() {
    if (!MayLeave()) return false;
    const QString path = previousRunFigure();
    if (!QFileInfo::exists(path)) {
        prompt->tell(&form_, QStringLiteral("前回の図を開く"), QStringLiteral("前回の図はまだありません。"));
        return false;
    }
    if (!applyFrom(path, QStringLiteral("前回の図"))) return false;
    // The figure is the window's again, not a lesson file's: 保存 asks for a name.
    path_.clear();
    saved_ = CaptureLesson(form_);
    modified_ = false;
    updateTitle();
    return true;
}

// Reads the whole file first: a refused file leaves the window exactly as it was.
bool LessonFiles::applyFrom(const QString& path, const QString& shownName, const QByteArray& systemName) {
    const LessonFile::Outcome outcome =
        systemName.isEmpty() ? LessonFile::read(path) : LessonFile::read(systemName, path);
    if (!outcome.lesson) {
        prompt->tell(&form_, QStringLiteral("授業ファイルを開く"),
                     QStringLiteral("「%1」を開けませんでした。\n%2").arg(shownName, outcome.reason));
        return false;
    }
    ApplyLesson(form_, *outcome.lesson);
    // An opened lesson starts a history of its own: undo never goes back into another.
    form_.undo->clear();
    // The opened figure is now the last figure too.
    check_.start();
    return true;
}

bool LessonFiles::Save() {
    if (path_.isEmpty()) return SaveAs();
    return writeTo(path_);
}

bool LessonFiles::SaveAs() {
    const QString suggested =
        path_.isEmpty()
            ? QDir(documentsFolder())
                  .filePath(QStringLiteral("授業_%1.%2")
                                .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")), kSuffix))
            : path_;
    prompt->setZoom(form_.zoom());
    const QString path = SavePrompt::writtenPath(prompt->askSave(&form_, suggested), kSuffix);
    if (path.isEmpty()) return false;
    if (QFileInfo::exists(path) && !prompt->confirmReplace(&form_, path)) return false;
    if (!writeTo(path)) return false;
    path_ = cleanPath(path);
    addRecent(path_);
    updateTitle();
    return true;
}

bool LessonFiles::writeTo(const QString& path) {
    const LessonState lesson = CaptureLesson(form_);
    const QImage preview =
        form_.DrawingAreaImage().scaled(kPreviewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QString reason = LessonFile::write(path, LessonFile::encode(lesson, preview));
    if (!reason.isEmpty()) {
        prompt->tell(&form_, QStringLiteral("授業ファイルの保存"),
                     QStringLiteral("「%1」を保存できませんでした。\n%2").arg(nameOf(path), reason));
        return false;
    }
    saved_ = lesson;
    modified_ = false;
    updateTitle();
    return true;
}

bool LessonFiles::MayLeave() {
    if (form_.demonstration) form_.demonstration->stop();
    checkForChange();
    if (!modified_) return true;
    switch (prompt->askUnsaved(&form_, path_.isEmpty() ? kUntitledName : nameOf(path_))) {
    case LessonPrompt::Unsaved::Save:
        return Save();
    case LessonPrompt::Unsaved::Discard:
        return true;
    case LessonPrompt::Unsaved::Cancel:
        break;
    }
    return false;
}

void LessonFiles::checkForChange() {
    check_.stop();
    const LessonState now = CaptureLesson(form_);
    if (!SameLesson(now, kept_)) {
        if (keeping_) writeLastFigure(now);
        kept_ = now;
    }
    const bool modified = !SameLesson(now, saved_);
    if (modified != modified_) {
        modified_ = modified;
        updateTitle();
    }
}

// The first write of a run moves the previous run's figure aside first; where that
// cannot be done nothing is written, so a crashed lesson is never lost to a new one.
void LessonFiles::writeLastFigure(const LessonState& lesson) {
    const QString path = lastFigurePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!wroteLastFigure_ && QFileInfo::exists(path)) {
        const QString previous = lastFigurePreviousPath();
        QFile::remove(previous);
        if (!QFile::rename(path, previous)) return;
    }
    wroteLastFigure_ = true;
    // The last figure is a convenience: a full disk must not interrupt the lesson.
    LessonFile::write(path, LessonFile::encode(lesson, QImage()));
}

void LessonFiles::keepLastFigure(bool on) {
    keeping_ = on;
}

QString LessonFiles::lastFigurePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("last-figure.%1").arg(kSuffix));
}

QString LessonFiles::lastFigurePreviousPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("last-figure-previous.%1").arg(kSuffix));
}

QString LessonFiles::previousRunFigure() const {
    return wroteLastFigure_ ? lastFigurePreviousPath() : lastFigurePath();
}

QStringList LessonFiles::recentFiles() const {
    return settings().value(kRecentKey).toStringList().mid(0, kRecentCount);
}

void LessonFiles::addRecent(const QString& path) {
    QStringList recent = settings().value(kRecentKey).toStringList();
    recent.removeIf([&path](const QString& entry) { return sameFile(entry, path); });
    recent.prepend(path);
    settings().setValue(kRecentKey, recent.mid(0, kRecentCount));
    fillRecentMenu();
}

void LessonFiles::fillRecentMenu() {
    recentMenu->clear();
    const QStringList recent = recentFiles();
    for (int i = 0; i < recent.size(); ++i) {
        QAction* entry = recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(nameOf(recent[i])));
        entry->setToolTip(QDir::toNativeSeparators(recent[i]));
        const QString path = recent[i];
        connect(entry, &QAction::triggered, this, [this, path] { OpenFile(path); });
    }
    if (recent.isEmpty()) recentMenu->addAction(QStringLiteral("（なし）"))->setEnabled(false);
}

void LessonFiles::updateTitle() {
    if (path_.isEmpty()) {
        form_.setWindowTitle(baseTitle_);
    } else {
        form_.setWindowTitle(
            QStringLiteral("%1[*] — %2").arg(QFileInfo(path_).completeBaseName(), baseTitle_));
    }
    // A window without a file keeps its plain title: it has no place for the mark.
    form_.setWindowModified(modified_ && !path_.isEmpty());
}

// A button or key let go may have completed a change: it is looked for a moment later,
// never during a drag. The window's close and drops of a lesson file come here too.
bool LessonFiles::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->isAutoRepeat()) break;
        [[fallthrough]];
    case QEvent::MouseButtonRelease:
        if (!check_.isActive()) check_.start();
        break;
    case QEvent::Close:
        if (watched == &form_ && !MayLeave()) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::DragEnter:
        if (watched == &form_) {
            auto* enter = static_cast<QDragEnterEvent*>(event);
            if (!droppedFile(enter->mimeData()).isEmpty()) enter->acceptProposedAction();
            return true;
        }
        break;
    case QEvent::Drop:
        if (watched == &form_) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = droppedFile(drop->mimeData());
            if (path.isEmpty()) return false;
            drop->acceptProposedAction();
            // Opened after the drop has ended: the questions must not run inside it.
            QTimer::singleShot(0, this, [this, path] { OpenFile(path); });
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
