#pragma once
#include <QProcessEnvironment>
#include <QString>

class QCommandLineParser;

// Whether the window has a display to open on, asked before the application object
// is made: without one, Qt's platform plugin aborts the program with a message of
// its own in English only.
namespace displaycheck {

// True when one of the platforms Qt would try (-platform, else QT_QPA_PLATFORM,
// else X11 or Wayland; on Windows and macOS the system's own platform, which always
// can) can open a window: X11 with DISPLAY or -display, Wayland
// with WAYLAND_DISPLAY or its default socket; platforms without a display
// (offscreen, minimal, vnc, …) always can.
bool windowCanOpen(const QCommandLineParser& parser, const QProcessEnvironment& environment);

// The one line, Japanese and English, that says the program cannot start.
QString noDisplayLine();

// Until finish(), Qt's messages are held back; when Qt gives up because the display
// it was given cannot be reached, the program ends with noDisplayLine() and exit
// status 1 instead. finish() prints the messages held once the start succeeded.
void guardStart();
void finish();

} // namespace displaycheck
