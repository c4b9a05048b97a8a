#include "lesson/regularfile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString tooLarge(qint64 largest) {
    return QStringLiteral("ファイルが大きすぎます（%1 MB まで）。").arg(largest / 1000000);
}

#ifdef Q_OS_UNIX
QString typeFault(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return QStringLiteral("ファイルではなくフォルダです。");
    if (S_ISFIFO(mode)) return QStringLiteral("ファイルではなくパイプ（FIFO）です。");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("ファイルではなく装置です。");
    if (S_ISSOCK(mode)) return QStringLiteral("ファイルではなくソケットです。");
    return QStringLiteral("普通のファイルではありません。");
}

QString errorText(int error, const QString& path) {
    switch (error) {
    case ENOENT:
        // A name that was not UTF-8 reaches here with its bytes replaced by U+FFFD.
        if (path.contains(QChar::ReplacementCharacter))
            return QStringLiteral("ファイルが見つかりません（名前に文字として読めないバイトがあります。"
                                  "名前を変えてから開いてください）。");
        return QStringLiteral("ファイルがありません。");
    case ENOTDIR:
        return QStringLiteral("ファイルがありません（途中の名前がフォルダではありません）。");
    case ELOOP:
        return QStringLiteral("シンボリックリンクが循環しています。");
    case EACCES:
    case EPERM:
        return QStringLiteral("このファイルか、その途中のフォルダを開く許可がありません。");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます。");
    case EIO:
        return QStringLiteral("ディスクの読み書きで障害が起きました。");
    default:
        return QStringLiteral("ファイルを読めません（%1）。").arg(qt_error_string(error));
    }
}
#endif

RegularFile::Contents readOpen(QFile& file, qint64 largest) {
    if (file.size() > largest) return {std::nullopt, tooLarge(largest)};
    QByteArray bytes = file.read(largest + 1);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, QStringLiteral("ファイルを読めません（%1）。").arg(file.errorString())};
    if (bytes.size() > largest) return {std::nullopt, tooLarge(largest)};
    return {std::move(bytes), {}};
}

} // namespace

QByteArray RegularFile::systemName(const QString& path) {
#ifdef Q_OS_WIN
    return path.toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

QString RegularFile::pathOf(const QByteArray& systemName) {
#ifdef Q_OS_WIN
    return QString::fromUtf8(systemName);
#else
    return QFile::decodeName(systemName);
#endif
}

RegularFile::Contents RegularFile::read(const QString& path, qint64 largest) {
    return read(systemName(path), path, largest);
}

RegularFile::Contents RegularFile::read(const QByteArray& systemName, const QString& path, qint64 largest) {
#ifdef Q_OS_UNIX
    // The type is checked before the open, so that nothing is opened that acts on being
    // opened (a tape, a terminal), and again on the handle, so that a FIFO put in the
    // file's place meanwhile cannot make the read wait.
    struct stat before {};
    if (::stat(systemName.constData(), &before) != 0) return {std::nullopt, errorText(errno, path)};
    if (const QString fault = typeFault(before.st_mode); !fault.isEmpty()) return {std::nullopt, fault};
    const int fd = ::open(systemName.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {std::nullopt, errorText(errno, path)};
    struct stat opened {};
    const bool known = ::fstat(fd, &opened) == 0;
    const QString fault = known ? typeFault(opened.st_mode) : errorText(errno, path);
    if (!fault.isEmpty()) {
        ::close(fd);
        return {std::nullopt, fault};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {std::nullopt, QStringLiteral("ファイルを読めません（%1）。").arg(file.errorString())};
    }
    return readOpen(file, largest);
#else
    // Without FIFOs in the file system, the type is looked at before the open.
    const QFileInfo info(pathOf(systemName));
    if (info.isDir()) return {std::nullopt, QStringLiteral("ファイルではなくフォルダです。")};
    if (info.exists() && !info.isFile())
        return {std::nullopt, QStringLiteral("普通のファイルではありません。")};
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.error() == QFileDevice::OpenError && !info.exists())
            return {std::nullopt, QStringLiteral("ファイルがありません。")};
        return {std::nullopt, QStringLiteral("ファイルを読めません（%1）。").arg(file.errorString())};
    }
    return readOpen(file, largest);
#endif
}
