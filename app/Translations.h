#pragma once

class QCoreApplication;

// Loads the program's texts and Qt's own (its dialogs, its buttons) in the user's language,
// where a translation exists; English stays otherwise.
void installTranslations(QCoreApplication& app);
