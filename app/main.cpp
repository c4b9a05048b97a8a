#include "app/commandline.h"
#include "app/form1.h"
#include "app/programicon.h"
#include "app/translations.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    CommandLine commandLine;
    if (const std::optional<int> exitCode = commandLine.read(argc, argv)) return *exitCode;
    QApplication app(argc, argv);
    installToolkitTranslations(app);
    QGuiApplication::setDesktopFileName(QStringLiteral(ENSHUKAKU_APP_ID));
    QApplication::setWindowIcon(programIcon());
    Form1 window;
    QObject::connect(&window, &Form1::quitRequested, &app, [] { QCoreApplication::exit(0); });
    window.show();
    return app.exec();
}
