#pragma once
#include <QByteArray>
#include <QString>

#include <optional>

// Reads a whole file that is a plain file, and nothing else, without ever waiting: a
// FIFO, a device or a socket is refused before anything is read from it (on Unix it is
// opened without blocking and its type checked again on the open handle), and the
// reason a name cannot be read is the system's, not a guess.
class RegularFile {
  public:
    struct Contents {
        std::optional<QByteArray> bytes; // the whole file
        QString reason;                  // why not, in Japanese, otherwise
    };

    // At most `largest` bytes; a larger file is refused, also one that grows while read.
    static Contents read(const QString& path, qint64 largest);
    // The same by the name's bytes as the system has them, which need not be UTF-8 on
    // Unix (a name given on the command line); `path` is that name as text, for reasons.
    static Contents read(const QByteArray& systemName, const QString& path, qint64 largest);

    // A name as the system has it and back. On Unix these are the file system's bytes; on
    // Windows, whose names are UTF-16, the text as UTF-8, so that no name is lost to the
    // local code page as QFile::encodeName would lose a Japanese one there.
    static QByteArray systemName(const QString& path);
    static QString pathOf(const QByteArray& systemName);
};
