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

void holdOrEnd(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(noDisplayLine()));
        std::_Exit(1);
    }
    heldMessages.push_back({type, text});
}

} // namespace

bool windowCanOpen(const QCommandLineParser& parser, const QProcessEnvironment& environment) {
    QString platforms = parser.value(QStringLiteral("platform"));
    if (platforms.isEmpty()) platforms = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    if (platforms.isEmpty()) platforms = QStringLiteral("xcb;wayland");
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
