#pragma once
#include <QByteArray>
#include <QString>

// Writes a whole file or nothing: the bytes go to a temporary file beside it, which
// replaces the old file only once everything is on the disk. A failed save leaves the
// old file as it was and no partial file behind. Only a plain file is replaced (through
// a link to one, the link stays), and the new file keeps the old one's mode and owner.
class SafeSave {
  public:
    // An empty text when the file is written; otherwise why not, in Japanese.
    static QString write(const QString& path, const QByteArray& bytes);
    // The name with control characters (a pasted newline, a tab) taken out.
    static QString withoutControlCharacters(const QString& fileName);
};
