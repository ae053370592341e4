// The info screen's terms keep their structure in every language; its box: the boxes test.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "screens/info.h"
#include "settings/settings.h"

namespace {

using InfoScreen = AppTest;

// The box's height follows the line count, so every language keeps the heading (in English), then
// item 1 over three lines (its continuations indented by three blanks) and items 2 to 14 one line
// each; all plain text, short enough that the widest line leaves the box at its 980-pixel minimum.
TEST_F(InfoScreen, TermsKeepTheirStructureInEveryLanguage) {
    const std::vector<std::wstring> english = termsLines();
    for (appSettings.language = 0; appSettings.language < 4; ++appSettings.language) {
        const std::vector<std::wstring> lines = termsLines();
        ASSERT_EQ(lines.size(), 17u);
        EXPECT_EQ(lines[0], L"Terms and User Agreement:");
        for (int i = 1; i < 17; ++i) {
            const std::wstring start = i == 2 || i == 3 ? L"   " : std::to_wstring(i < 4 ? 1 : i - 2) + L". ", line = lines[i];
            EXPECT_TRUE(line.rfind(start, 0) == 0 && line[start.size()] != L' ') << line;
            EXPECT_TRUE(line.size() <= 62 && std::none_of(line.begin(), line.end(), [](wchar_t ch) { return ch < 32 || ch > 126; }))
                << line;
            EXPECT_TRUE(appSettings.language == 0 || line != english[i]) << "translated: " << line;
        }
    }
}

}  // namespace
