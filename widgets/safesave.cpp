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

#ifdef Q_OS_UNIX
#include <unistd.h>
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

// What the name stands for once its links are followed, as QSaveFile follows them: only
// a plain file (or nothing yet) may be replaced. A FIFO, a device or a socket would be
// swapped for a regular file, a system's device node too when saving as root.
QString targetFault(const QString& path, QFileInfo* standing) {
    QFileInfo info(path);
    for (int links = 0; info.isSymLink(); ++links) {
        if (links == 40) return QStringLiteral("保存先のシンボリックリンクが循環しています。");
        info.setFile(info.symLinkTarget());
    }
    if (info.isDir()) return QStringLiteral("同じ名前のフォルダがあります。");
    if (info.exists() && !info.isFile())
        return QStringLiteral("保存先が普通のファイルではありません（パイプや装置などは置き換えません）。");
    if (standing != nullptr) *standing = info;
    return {};
}

// The new file takes the old one's mode, as its own bits say. QSaveFile copies the
// permissions as this user may use them, which for root means writable.
void keepWhatItWas(QSaveFile& file, const QFileInfo& old) {
    if (!old.exists()) return;
    constexpr QFileDevice::Permissions kOwnBits =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
        QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther |
        QFileDevice::ExeOther;
    file.setPermissions(old.permissions() & kOwnBits);
#ifdef Q_OS_UNIX
    // And its owner, where this user may give it (root saving a teacher's file); a
    // refusal leaves the file this user's, as any new file is.
    if (::fchown(file.handle(), old.ownerId(), old.groupId()) != 0) errno = 0;
#endif
}

} // namespace

QString SafeSave::write(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists()) return QStringLiteral("保存先のフォルダがありません。");
    if (!folder.isDir()) return QStringLiteral("保存先がフォルダではありません。");
    QFileInfo old;
    if (const QString fault = targetFault(path, &old); !fault.isEmpty()) return fault;
    if (!folder.isWritable()) return QStringLiteral("このフォルダに書き込む許可がないか、読み取り専用です。");

    QSaveFile file(path);
    clearLastError();
    if (!file.open(QIODevice::WriteOnly)) return reasonOf(lastError(), file.errorString());
    keepWhatItWas(file, old);
    const auto failed = [&file](int error) {
        const QString text = file.errorString();
        file.cancelWriting();
        return reasonOf(error, text);
    };
    clearLastError();
    if (file.write(bytes) != bytes.size()) return failed(lastError());
    clearLastError();
    if (!file.flush()) return failed(lastError());
#ifdef Q_OS_UNIX
    // Some file systems (quotas, network ones) say only now that the data has no room;
    // QSaveFile's own sync on commit does not report it.
    errno = 0;
    if (::fsync(file.handle()) != 0 && errno != EINVAL) return failed(errno);
#endif
    // Something put in the file's place meanwhile is not replaced either.
    if (const QString fault = targetFault(path, nullptr); !fault.isEmpty()) {
        file.cancelWriting();
        return fault;
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
