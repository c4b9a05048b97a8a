#include "app/form1.h"
#include "app/translations.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    installToolkitTranslations(app);
    Form1 window;
    QObject::connect(&window, &Form1::quitRequested, &app, [] { QCoreApplication::exit(0); });
    window.show();
    return app.exec();
}
