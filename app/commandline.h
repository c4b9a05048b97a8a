#pragma once
#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

#include <optional>

// The program's command line. It is read before the application object exists, so
// that `--help` and `--version` answer without a display and options that tune Qt
// itself can still be acted on. Qt's own options (-platform, -style, …) are known
// here too, so they pass through to the application object and show in the help.
class CommandLine {
  public:
    CommandLine();

    // Reads `arguments` (the program's name first). Prints the help, the version or
    // the mistake and returns the exit code when the program should end at once;
    // returns nothing when it should start.
    std::optional<int> read(const QStringList& arguments, QTextStream& out, QTextStream& err);
    // The same for main()'s arguments, printing to stdout and stderr.
    std::optional<int> read(int argc, char* argv[]);

    const QCommandLineParser& parser() const { return parser_; }
    // The lesson file named on the command line, or an empty text.
    QString lessonFile() const;
    // Its name as main() was given it: on Unix the bytes, which need not be UTF-8.
    QByteArray lessonFileName() const;

  private:
    QCommandLineParser parser_;
    QList<QByteArray> given_; // main()'s arguments as they came
};
