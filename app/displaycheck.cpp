#include "app/displaycheck.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace displaycheck {

namespace {

bool platformCanOpen(const QString& platform, const QString& displayOption,
                     const QProcessEnvironment& environment) {
    const QString name = platform.section(QLatin1Char(':'), 0, 0).trimmed();
    if (name == QLatin1String("xcb"))
        return !displayOption.isEmpty() || !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    if (name.startsWith(QLatin1String("wayland"))) {
        if (!environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty()) return true;
        const QString runtime = environment.value(QStringLiteral("XDG_RUNTIME_DIR"));
        return !runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath(QStringLiteral("wayland-0")));
    }
    return true;
}

struct HeldMessage {
    QtMsgType type;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;

// What the X11 and Wayland plugins say when the display they were given cannot be reached.
bool displayUnreachable() {
    for (const HeldMessage& message : heldMessages)
        if (message.text.contains(QLatin1String("could not connect to display")) ||
            message.text.contains(QLatin1String("Failed to create wl_display")))
            return true;
    return false;
}

void holdOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        if (displayUnreachable()) {
            std::fprintf(stderr, "%s\n", qPrintable(noDisplayLine()));
            std::_Exit(1);
        }
        // Any other failure (a plugin that does not load) keeps Qt's own words.
        finish();
        previousHandler(type, context, text);
        return;
    }
    heldMessages.push_back({type, text});
}

} // namespace

bool windowCanOpen(const QCommandLineParser& parser, const QProcessEnvironment& environment) {
    QString platforms = parser.value(QStringLiteral("platform"));
    if (platforms.isEmpty()) platforms = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (platforms.isEmpty()) platforms = QStringLiteral("xcb;wayland");
#else
    // The system's own platform (Windows, macOS) needs no display named in the environment.
    if (platforms.isEmpty()) return true;
#endif
    const QString displayOption = parser.value(QStringLiteral("display"));
    for (const QString& platform : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (platformCanOpen(platform, displayOption, environment)) return true;
    return false;
}

QString noDisplayLine() {
    return QStringLiteral("enshukaku: 画面（ディスプレイ）につながらないため起動できません / cannot start: "
                          "no display to open the window on (see DISPLAY, WAYLAND_DISPLAY)");
}

void guardStart() {
    previousHandler = qInstallMessageHandler(holdOrEnd);
}

void finish() {
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : std::exchange(heldMessages, {}))
        qt_message_output(message.type, QMessageLogContext(), message.text);
}

} // namespace displaycheck
