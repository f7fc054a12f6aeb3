#include "app/qt/ui_translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include <cstdlib>

namespace talvex {

std::vector<std::string> systemUiLanguages() {
    std::vector<std::string> languages;
    for (const QString& name : QLocale::system().uiLanguages())
        languages.push_back(
            QString(name).replace(QLatin1Char('-'), QLatin1Char('_')).toStdString());
    return languages;
}

UiLanguage startUiLanguage(const AppOptions& options) {
    const char* environment = std::getenv("KESTRIX_LANG");
    return chooseUiLanguage(options.language, environment ? environment : "", systemUiLanguages());
}

UiTranslators::UiTranslators(UiLanguage language) {
    auto install = [this](const QString& name, const QString& folder) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(name, folder)) {
            complete_ = false;
            return;
        }
        QCoreApplication::installTranslator(translator.get());
        installed_.push_back(std::move(translator));
    };
    // Qt's own texts are English already.
    if (language == UiLanguage::English)
        install(QStringLiteral("talvex_en"), QStringLiteral(":/i18n"));
    else
        install(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

UiTranslators::~UiTranslators() {
    for (const auto& translator : installed_)
        QCoreApplication::removeTranslator(translator.get());
}

} // namespace talvex
