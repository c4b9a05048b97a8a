#pragma once
#include "lesson/lessonstate.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// The lesson file (*.enshu): one UTF-8 JSON document holding a LessonState and the
// canvas as a PNG, with a small preview for file managers (docs/lesson-format.md).
// Reading is strict: a file is taken whole or refused with the reason, in Japanese.
class LessonFile {
  public:
    static constexpr const char* kFormat = "enshukaku-lesson";
    static constexpr int kVersion = 1;
    static constexpr qint64 kLargestFile = 20 * 1000 * 1000; // 20 MB
    static constexpr QSize kPreviewSize{175, 125};
    static constexpr const char* kSuffix = "enshu";

    struct Outcome {
        std::optional<LessonState> lesson; // set when the file is taken
        QString reason;                    // why not, otherwise
    };

    // The document for `lesson`; `preview` (may be null) is stored as it is.
    static QByteArray encode(const LessonState& lesson, const QImage& preview);
    static Outcome decode(const QByteArray& document);
    // The file at `path`: also refuses what is not a plain file (without waiting on a
    // FIFO), unreadable and oversized files.
    static Outcome read(const QString& path);
    // The same by the name's bytes as the system has them (`path` names it in reasons).
    static Outcome read(const QByteArray& systemName, const QString& path);
    // Writes the document atomically; an empty text when written, else the reason.
    static QString write(const QString& path, const QByteArray& document);
};
