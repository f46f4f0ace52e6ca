#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void installTranslations(QCoreApplication& app) {
    const QLocale locale;
    // Qt's own first, so that ours win where both have a text.
    const struct {
        const char* name;
        QString folder;
    } catalogues[] = {
        {"qtbase", QLibraryInfo::path(QLibraryInfo::TranslationsPath)},
        {"tessary", QStringLiteral(":/i18n")},
    };
    for (const auto& catalogue : catalogues) {
        auto* translator = new QTranslator(&app);
        if (translator->load(locale, QString::fromLatin1(catalogue.name), QStringLiteral("_"),
                             catalogue.folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}
