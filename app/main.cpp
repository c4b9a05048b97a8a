#include "app/commandline.h"
#include "app/displaycheck.h"
#include "app/form1.h"
#include "app/programicon.h"
#include "app/translations.h"
#include "app/zoomoption.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    CommandLine commandLine;
    if (const std::optional<int> exitCode = commandLine.read(argc, argv)) return *exitCode;
    // The command line has checked the zoom already.
    const double zoom = zoomoption::requested(commandLine.parser(), nullptr).value_or(-1);
    if (!displaycheck::windowCanOpen(commandLine.parser(), QProcessEnvironment::systemEnvironment())) {
        std::fprintf(stderr, "%s\n", qPrintable(displaycheck::noDisplayLine()));
        return 1;
    }
    displaycheck::guardStart();
    QApplication app(argc, argv);
    displaycheck::finish();
    installToolkitTranslations(app);
    QGuiApplication::setDesktopFileName(QStringLiteral(ENSHUKAKU_APP_ID));
    QApplication::setWindowIcon(programIcon());
    Form1 window;
    window.StartZoom(zoom);
    QObject::connect(&window, &Form1::quitRequested, &app, [] { QCoreApplication::exit(0); });
    // The program keeps the last figure in its data folder; a window in a test does not.
    window.lessonFiles->keepLastFigure(true);
    window.show();
    if (const QString lesson = commandLine.lessonFile(); !lesson.isEmpty())
        window.lessonFiles->OpenFile(lesson, commandLine.lessonFileName());
    return app.exec();
}
