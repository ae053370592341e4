// The help screen's texts: the key column following the function-key bar, and a description of its
// own for every row in every language. Its box, table and bands: the boxes test.
#include <gtest/gtest.h>

#include <set>

#include "common/app_state.h"
#include "screens/help.h"
#include "settings/settings.h"
#include "ui/function_keys.h"

namespace {

using HelpScreen = AppTest;

TEST_F(HelpScreen, KeyColumnFollowsTheFunctionBarThenFixedNames) {
    appSettings.language = 2;
    for (int row = 0; row < 12; ++row) EXPECT_EQ(helpKeyText(row), functionLabel(row)) << row;
    EXPECT_EQ(helpKeyText(12), L"TAB");
    EXPECT_EQ(helpKeyText(24) + helpKeyText(-1) + helpDescription(24) + helpDescription(-1), L"");
    // Every language has its own twenty descriptions (the file types after them read the same).
    std::set<std::wstring> descriptions;
    for (appSettings.language = 0; appSettings.language < 4; ++appSettings.language)
        for (int row = 0; row < 20; ++row) descriptions.insert(helpDescription(row));
    EXPECT_EQ(descriptions.size(), 80u);
}

}  // namespace
