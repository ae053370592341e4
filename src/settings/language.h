#pragma once
// The four UI languages. Every text is chosen when it is produced, from the four variants that the
// producing screen keeps beside its code (English, German, French, Italian).
#include <cstdint>
#include <string>

using Language = int32_t;  // 0 English, 1 German, 2 French, 3 Italian; anything else reads as English

struct LocalizedText {
    const wchar_t* english;
    const wchar_t* german;
    const wchar_t* french;
    const wchar_t* italian;
};

// The variant of the current language (appSettings.language).
std::wstring localize(const LocalizedText& text);
// The variant for a given language; any value other than 1, 2, 3 gives English.
const wchar_t* localizeIn(const LocalizedText& text, Language language);

// Entry `index` of an indexed table of labels in the current language; "" outside the table.
template <size_t N>
std::wstring localizedRow(const LocalizedText (&table)[N], int index) {
    if (index < 0 || static_cast<size_t>(index) >= N) return std::wstring();
    return localize(table[index]);
}
