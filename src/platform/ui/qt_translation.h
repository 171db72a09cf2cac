// Qt's own texts (standard buttons, file and colour dialogs) in the program's language.
#pragma once

class QCoreApplication;

// Loads Qt's Simplified Chinese translation for the application; false when it is not installed.
bool LoadQtChineseTranslation(QCoreApplication& app);
