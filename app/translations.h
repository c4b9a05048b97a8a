#pragma once

class QCoreApplication;
class QTranslator;

// Installs the toolkit's own Japanese translations (qtbase_ja), so that the standard
// buttons and dialogs speak the program's language whatever the system's locale.
// Returns the installed translator (owned by `app`), or nullptr when none is found.
QTranslator* installToolkitTranslations(QCoreApplication& app);
