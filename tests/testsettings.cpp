// Linked into every test program: its settings go to INI files in a folder of its own
// and its data to the toolkit's test folders, never to the user's settings or, on
// Windows, to the registry, where the program itself keeps them.
#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

void isolateSettings() {
    static QTemporaryDir folder;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(isolateSettings)
