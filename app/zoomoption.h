#pragma once
#include <QString>

#include <optional>

class QCommandLineParser;

// The command line's "--zoom": a factor from 0.5 to 3 (taken to the nearest 25 % step)
// or "fit" for the largest step at which the window fits the screen.
namespace zoomoption {

void add(QCommandLineParser& parser);

// The zoom asked for: a factor, 0 for "fit", -1 when the option is not given (the
// remembered zoom holds). Nothing, with `error` set, for a value not understood.
std::optional<double> requested(const QCommandLineParser& parser, QString* error);

} // namespace zoomoption
