#include "settings/language.h"

#include "settings/settings.h"

const wchar_t* localizeIn(const LocalizedText& text, Language language) {
    switch (language) {
    case 1: return text.german;
    case 2: return text.french;
    case 3: return text.italian;
    default: return text.english;
    }
}

std::wstring localize(const LocalizedText& text) {
    return localizeIn(text, appSettings.language);
}
