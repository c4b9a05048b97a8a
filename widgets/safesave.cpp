#include "widgets/safesave.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace {

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

} // namespace

QString SafeSave::write(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists()) return QStringLiteral("保存先のフォルダがありません。");
    if (!folder.isDir()) return QStringLiteral("保存先がフォルダではありません。");
    if (target.isDir()) return QStringLiteral("同じ名前のフォルダがあります。");
    if (!folder.isWritable()) return QStringLiteral("このフォルダに書き込む許可がないか、読み取り専用です。");

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) return reasonOf(errno, file.errorString());
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const int error = errno;
        const QString text = file.errorString();
        file.cancelWriting();
        return reasonOf(error, text);
    }
    errno = 0;
    if (!file.commit()) return reasonOf(errno, file.errorString());
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
