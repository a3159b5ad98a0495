#include "platform/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace quindel::qt {

namespace {

struct Loaded {
    std::unique_ptr<QTranslator> translator;
    std::string language;
};

Loaded& Current() {
    static Loaded loaded;
    return loaded;
}

}  // namespace

bool LoadQtTranslations(std::string_view language) {
    Loaded& current = Current();
    if (current.translator && current.language == language) return true;
    if (!QCoreApplication::instance()) return false;
    QString tag = QString::fromUtf8(language.data(), qsizetype(language.size()));
    tag.replace(QLatin1Char('-'), QLatin1Char('_'));
    auto translator = std::make_unique<QTranslator>();
    const bool found = translator->load(QLocale(tag), QStringLiteral("qtbase"), QStringLiteral("_"),
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // The language before goes either way: Qt speaks English rather than the last language.
    if (current.translator) QCoreApplication::removeTranslator(current.translator.get());
    current.translator.reset();
    current.language.clear();
    if (!found) return false;
    QCoreApplication::installTranslator(translator.get());
    current.translator = std::move(translator);
    current.language = std::string(language);
    return true;
}

const std::string& QtTranslationsLanguage() {
    return Current().language;
}

}  // namespace quindel::qt
