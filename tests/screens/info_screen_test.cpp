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

// The box's height follows the line count, so every language keeps the 17 lines; each is its own
// translation of the English one (the heading stays English), plain text short enough that the
// widest line leaves the box at its 980-pixel minimum.
TEST_F(InfoScreen, TermsKeepTheirStructureInEveryLanguage) {
    const std::vector<std::wstring> english = termsLines();
    for (appSettings.language = 0; appSettings.language < 4; ++appSettings.language) {
        const std::vector<std::wstring> lines = termsLines();
        ASSERT_EQ(lines.size(), 17u);
        for (size_t i = 0; i < 17; ++i) {
            EXPECT_TRUE(lines[i].size() <= 62 && std::none_of(lines[i].begin(), lines[i].end(),
                                                             [](wchar_t ch) { return ch < 32 || ch > 126; })) << lines[i];
            EXPECT_EQ(appSettings.language == 0 || i == 0, lines[i] == english[i]) << "translated: " << lines[i];
        }
    }
}

}  // namespace
