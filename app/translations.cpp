#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// The resource lives in this static library: naming its initialiser here
// keeps the linker from leaving it out of the program. (At global scope, so
// that the initialiser it declares is the resource's own.)
static void initCatalogueResource() {
    Q_INIT_RESOURCE(zandor_translations);
}

namespace zandor {

namespace {

// LC_ALL, then LC_MESSAGES, then LANG: the first one set decides, as it does
// for every other program's messages.
QByteArray messagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        QByteArray value = qgetenv(name);
        if (!value.isEmpty()) {
            return value;
        }
    }
    return {};
}

bool speaksPlainEnglish(const QByteArray& locale) {
    return locale.isEmpty() || locale == "C" || locale.startsWith("C.") || locale == "POSIX";
}

bool installCatalogue(QCoreApplication& application, const QLocale& locale, const QString& name,
                      const QString& folder) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(locale, name, QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace

bool installTranslations(QCoreApplication& application) {
    initCatalogueResource();
    // Qt would read LANGUAGE even under LANG=C, where the C library, and
    // scripts that set LANG=C to get the program's own words, ignore it.
    if (speaksPlainEnglish(messagesLocale())) {
        return false;
    }
    // The system locale's languages in the user's order, LANGUAGE's list
    // included.
    const QLocale locale = QLocale::system();
    installCatalogue(application, locale, QStringLiteral("qtbase"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return installCatalogue(application, locale, QStringLiteral("zandor"),
                            QStringLiteral(":/i18n"));
}

}  // namespace zandor
