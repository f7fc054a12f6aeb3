#pragma once
// The windows' language in the Qt shell: the translators of Talvex's texts and of Qt's own
// dialogs (choosers, colour picker, standard buttons).

#include "app/app_options.h"
#include "app/ui_language.h"

#include <QTranslator>

#include <memory>
#include <string>
#include <vector>

namespace talvex {

// The system's UI languages as Qt reads them (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), "zh_CN" form.
std::vector<std::string> systemUiLanguages();

// --lang=, then KESTRIX_LANG, then the system's languages.
UiLanguage startUiLanguage(const AppOptions& options);

// Installs the language's translators on the application while it lives. Chinese, the texts'
// own language, needs only Qt's.
class UiTranslators {
public:
    explicit UiTranslators(UiLanguage language);
    ~UiTranslators();
    UiTranslators(const UiTranslators&) = delete;
    UiTranslators& operator=(const UiTranslators&) = delete;

    // False when a translation that should be there was not found.
    bool complete() const { return complete_; }

private:
    std::vector<std::unique_ptr<QTranslator>> installed_;
    bool complete_ = true;
};

} // namespace talvex
