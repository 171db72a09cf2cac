// Qt's own texts (standard buttons, file and colour dialogs) in the program's language.
#include "platform/ui/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool LoadQtChineseTranslation(QCoreApplication& app) {
    // A Chinese program whose Yes/No and dialogs read in English looks broken;
    // the translation comes with Debian's Qt translations package.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
