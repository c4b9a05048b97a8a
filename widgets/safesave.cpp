#include "widgets/safesave.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#endif

namespace {

#ifdef Q_OS_WIN
// The toolkit's files on Windows leave errno alone: the system's own error code tells.
int lastError() {
    return int(GetLastError());
}

void clearLastError() {
    SetLastError(ERROR_SUCCESS);
}

QString reasonOf(int error, const QString& fallback) {
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return QStringLiteral("ディスクの空きが足りません。");
    case ERROR_WRITE_PROTECT:
        return QStringLiteral("読み取り専用の場所です。");
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return QStringLiteral("この場所に書き込む許可がありません。");
    case ERROR_PATH_NOT_FOUND:
        return QStringLiteral("保存先のフォルダがありません。");
    case ERROR_FILENAME_EXCED_RANGE:
        return QStringLiteral("ファイル名が長すぎます。");
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_WRITE_FAULT:
        return QStringLiteral("ディスクの読み書きで障害が起きました。");
    default:
        return QStringLiteral("書き込めませんでした（%1）。").arg(fallback);
    }
}
#else
int lastError() {
    return errno;
}

void clearLastError() {
    errno = 0;
}

QString reasonOf(int error, const QString& fallback) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクの空きが足りません。");
    case EROFS:
        return QStringLiteral("読み取り専用の場所です。");
    case EACCES:
    case EPERM:
        return QStringLiteral("この場所に書き込む許可がありません。");
    case ENOENT:
        return QStringLiteral("保存先のフォルダがありません。");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます。");
    case EIO:
        return QStringLiteral("ディスクの読み書きで障害が起きました。");
    default:
        return QStringLiteral("書き込めませんでした（%1）。").arg(fallback);
    }
}
#endif

} // namespace

QString SafeSave::write(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists()) return QStringLiteral("保存先のフォルダがありません。");
    if (!folder.isDir()) return QStringLiteral("保存先がフォルダではありません。");
    if (target.isDir()) return QStringLiteral("同じ名前のフォルダがあります。");
    if (!folder.isWritable()) return QStringLiteral("このフォルダに書き込む許可がないか、読み取り専用です。");

    QSaveFile file(path);
    clearLastError();
    if (!file.open(QIODevice::WriteOnly)) return reasonOf(lastError(), file.errorString());
    clearLastError();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const int error = lastError();
        const QString text = file.errorString();
        file.cancelWriting();
        return reasonOf(error, text);
    }
    clearLastError();
    if (!file.commit()) return reasonOf(lastError(), file.errorString());
    return {};
}

QString SafeSave::withoutControlCharacters(const QString& fileName) {
    QString clean;
    clean.reserve(fileName.size());
    for (const QChar c : fileName)
        if (c.category() != QChar::Other_Control && c.category() != QChar::Separator_Line &&
            c.category() != QChar::Separator_Paragraph)
            clean += c;
    return clean;
}
