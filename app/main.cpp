#include "app/form1.h"
#include "app/zoomoption.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    zoomoption::add(parser);
    parser.process(app);
    QString error;
    const std::optional<double> zoom = zoomoption::requested(parser, &error);
    if (!zoom) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }

    Form1 window;
    window.StartZoom(*zoom);
    QObject::connect(&window, &Form1::quitRequested, &app, [] { QCoreApplication::exit(0); });
    window.show();
    return app.exec();
}
