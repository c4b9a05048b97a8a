#include "app/commandline.h"

#include "app/zoomoption.h"
#include "lesson/regularfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

struct QtOption {
    const char* name;
    const char* valueName; // nullptr for a switch
    const char* description;
};

// The options QApplication takes out of the arguments itself (Qt 6, X11 and Wayland).
constexpr QtOption kQtOptions[] = {
    {"platform", "name[:options]", "Qt: the platform plugin (xcb, wayland, offscreen, …)."},
    {"platformpluginpath", "path", "Qt: where to look for platform plugins."},
    {"platformtheme", "name", "Qt: the platform theme."},
    {"plugin", "name", "Qt: loads an additional plugin."},
    {"display", "name", "Qt: the X11 display (as $DISPLAY)."},
    {"qwindowgeometry", "geometry", "Qt: the window's geometry, as in 1014x700+0+0."},
    {"geometry", "geometry", "Qt: the same as -qwindowgeometry (X11)."},
    {"qwindowicon", "file", "Qt: the window's icon."},
    {"qwindowtitle", "title", "Qt: the window's title."},
    {"style", "name", "Qt: the widget style (fusion, windows, …)."},
    {"stylesheet", "file", "Qt: a style sheet for the widgets."},
    {"reverse", nullptr, "Qt: lays the window out from right to left."},
    {"session", "id", "Qt: restores the session with this id."},
    {"widgetcount", nullptr, "Qt: prints the number of widgets left at the end."},
    {"nograb", nullptr, "Qt: never grabs the mouse or keyboard."},
};

} // namespace

CommandLine::CommandLine() {
    QCoreApplication::setApplicationName(QStringLiteral("enshukaku"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ENSHUKAKU_VERSION));
    parser_.setApplicationDescription(
        QStringLiteral("円周角の定理: a classroom aid for the inscribed angle theorem.\n"
                       "The options marked Qt are Qt's own; they may also start with one dash."));
    // Qt's options are single words after one dash (-platform offscreen).
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.addHelpOption();
    parser_.addVersionOption();
    zoomoption::add(parser_);
    parser_.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A lesson file (*.enshu) to open."),
                                  QStringLiteral("[file]"));
    for (const QtOption& option : kQtOptions) {
        QCommandLineOption qtOption(QString::fromLatin1(option.name), QString::fromUtf8(option.description));
        if (option.valueName) qtOption.setValueName(QString::fromLatin1(option.valueName));
        parser_.addOption(qtOption);
    }
}

std::optional<int> CommandLine::read(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const QString program = arguments.isEmpty() ? QCoreApplication::applicationName() : arguments.first();
    QString name = QFileInfo(program).fileName();
#ifdef Q_OS_WIN
    // As a user types it: Windows finds the program without its .exe.
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) name.chop(4);
#endif
    if (!parser_.parse(arguments)) {
        err << name << ": " << parser_.errorText() << '\n'
            << "Try '" << name << " --help' for the options.\n";
        return 1;
    }
    if (parser_.isSet(QStringLiteral("help")) || parser_.isSet(QStringLiteral("help-all"))) {
        // Without an application object the parser cannot know the program's name.
        out << parser_.helpText().replace(QStringLiteral("<executable_name>"), program);
        return 0;
    }
    if (parser_.isSet(QStringLiteral("version"))) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << '\n';
        return 0;
    }
    if (parser_.positionalArguments().size() > 1) {
        err << name << ": unexpected argument '" << parser_.positionalArguments().at(1) << "'\n"
            << "Try '" << name << " --help' for the options.\n";
        return 1;
    }
    QString zoomMistake;
    if (!zoomoption::requested(parser_, &zoomMistake)) {
        err << name << ": " << zoomMistake << '\n' << "Try '" << name << " --help' for the options.\n";
        return 1;
    }
    return std::nullopt;
}

QString CommandLine::lessonFile() const {
    return parser_.positionalArguments().value(0);
}

QByteArray CommandLine::lessonFileName() const {
    const QString file = lessonFile();
#ifndef Q_OS_WIN
    // The last argument that reads as the file: it comes after the options. (Windows
    // names are text, and its arguments' bytes are only the local code page's.)
    for (auto given = given_.crbegin(); given != given_.crend(); ++given)
        if (!file.isEmpty() && QString::fromLocal8Bit(*given) == file) return *given;
#endif
    return RegularFile::systemName(file);
}

std::optional<int> CommandLine::read(int argc, char* argv[]) {
    QStringList arguments;
    given_.clear();
    for (int i = 0; i < argc; ++i) {
        given_ << QByteArray(argv[i]);
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    return read(arguments, out, err);
}
