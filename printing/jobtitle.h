#pragma once
#include <QString>

// A print job's title (and the file name the print dialog suggests from it) made
// safe from what the user typed: control characters dropped, characters that
// cannot stand in a file name replaced, cut at a whole character to at most
// kMaxJobTitleBytes bytes of UTF-8. Never empty.
inline constexpr int kMaxJobTitleBytes = 150;
QString safeJobTitle(const QString& title);
