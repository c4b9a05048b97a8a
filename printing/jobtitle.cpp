#include "printing/jobtitle.h"

#include <QTextBoundaryFinder>

namespace {

bool dropped(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

bool notInFileName(QChar c) {
    return QStringView(u"/\\:*?\"<>|").contains(c);
}

} // namespace

QString safeJobTitle(const QString& title) {
    QString clean;
    clean.reserve(title.size());
    for (qsizetype i = 0; i < title.size(); ++i) {
        const QChar c = title.at(i);
        // Half a surrogate pair is no character at all.
        if (c.isHighSurrogate() && i + 1 < title.size() && title.at(i + 1).isLowSurrogate()) {
            clean += c;
            clean += title.at(++i);
            continue;
        }
        if (c.isSurrogate() || dropped(c)) continue;
        clean += notInFileName(c) ? QChar(u'_') : c;
    }

    // Cut where a character (with its combining marks) ends, within the byte limit.
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, clean);
    qsizetype end = 0, bytes = 0;
    for (qsizetype next = graphemes.toNextBoundary(); next > 0; next = graphemes.toNextBoundary()) {
        bytes += clean.mid(end, next - end).toUtf8().size();
        if (bytes > kMaxJobTitleBytes) break;
        end = next;
    }
    clean = clean.left(end).trimmed();
    return clean.isEmpty() ? QStringLiteral("印刷") : clean;
}
