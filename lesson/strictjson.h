#pragma once
#include <QByteArray>
#include <QSet>
#include <QString>

// What Qt's JSON parser lets through although JSON forbids it: numbers such as `.5`,
// `1.` or `-`, control characters inside strings, and a key given twice in one object
// (the parser keeps only the last, so `"format": "other"` could hide behind a later
// `"format"`), and a whole number written with a fraction or an exponent (the parser
// reads 3.99999999999999999 as the integer 4). Run on a document the parser has taken.
class StrictJson {
  public:
    // Why `document` is not strict JSON, in Japanese with the byte where it goes wrong;
    // an empty text when it is. Numbers under the keys `whole` must be integers as written.
    static QString fault(const QByteArray& document, const QSet<QString>& whole = {});
};
