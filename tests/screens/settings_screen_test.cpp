// The settings screen's keys: each change applied and saved at once, a failed save silent. Its box and rows drawn: the boxes test.
#include <gtest/gtest.h>

#include <string>

#include "common/app_state.h"
#include "common/keys.h"
#include "common/settings_file_guard.h"
#include "common/temp_folder.h"
#include "screens/settings_screen.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

// The current settings as the file must hold them.
std::string record() {
    SettingsRecord r = encodeSettings(appSettings);
    return std::string(r.begin(), r.end());
}

using SettingsScreen = AppTest;

TEST_F(SettingsScreen, KeysMoveStopAtTheEndsOrCloseWithoutWriting) {
    SettingsFileGuard guard;
    writeFileBytes(guard.path(), "marker");  // what no save writes
    const std::wstring opened = press({VK_F11, VK_UP});
    EXPECT_EQ(settingsRow, 0);
    for (int i = 0; i < 9; ++i) press({VK_DOWN});
    EXPECT_EQ(settingsRow, 7);
    EXPECT_EQ(press({VK_UP, VK_HOME, VK_F1, VK_F12, VK_F10, VK_SPACE, 'A', VK_BACK}), opened);
    EXPECT_EQ(settingsRow, 6);
    // ESC, F11 and every change key on the back row close; opening again starts on the first row.
    const std::pair<int, UINT> closing[] = {{7, VK_RETURN}, {7, VK_LEFT}, {7, VK_RIGHT}, {0, VK_ESCAPE}, {3, VK_F11}};
    for (auto [row, key] : closing) {
        settingsRow = row;
        press({key});
        EXPECT_EQ(screenMode, ScreenMode::MainView) << key;
        press({VK_F11});
        EXPECT_EQ(settingsRow, 0);
    }
    EXPECT_EQ(readFileBytes(guard.path()), "marker");
    EXPECT_EQ(takeQuit(), -1);
}

// Left, Right and Enter all step forward; every step is applied and written at once, and a full
// round comes back to the start.
TEST_F(SettingsScreen, EachRowStepsForwardAppliesAndSavesAtOnce) {
    SettingsFileGuard guard;
    // row, number of values, and what the step must change beside the field
    const struct { int row; int32_t AppSettings::*field; int count; long (*applied)(); } cases[] = {
        {0, &AppSettings::language, 4, [] { return long(settingsTitle().size()); }},
        {1, &AppSettings::backgroundColor, 7, [] { return long(theme.windowBackground); }},
        {2, &AppSettings::selectionBarColor, 7, [] { return long(theme.selectionBarFill); }},
        {3, &AppSettings::textColor, 7, [] { return long(theme.textForeground); }},
        {4, &AppSettings::textStyle, 2, [] { return long(boldText()); }},
        {5, &AppSettings::fontSize, 3, [] {  // the fonts are made again at the new height
             LOGFONTW font = {};
             return GetObjectW(normalFont, sizeof font, &font) ? font.lfHeight : 0L;
         }},
        {6, &AppSettings::panelBorder, 4, [] { return long(theme.dialogFrame); }},
    };
    openSettings(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        settingsRow = c.row;
        const int32_t start = appSettings.*c.field;
        const long before = c.applied();
        press({VK_LEFT});
        EXPECT_EQ(appSettings.*c.field, (start + 1) % c.count);
        EXPECT_NE(c.applied(), before);
        EXPECT_EQ(readFileBytes(guard.path()), record());
        for (int i = 1; i < c.count; ++i) press({i % 2 ? UINT(VK_RIGHT) : UINT(VK_RETURN)});
        EXPECT_EQ(appSettings.*c.field, start);
        EXPECT_EQ(c.applied(), before);
        EXPECT_EQ(readFileBytes(guard.path()), record());
    }
    settingsRow = 0;  // the message is made after the step, so a new language already speaks in it
    EXPECT_EQ(press({VK_RETURN}), L"Geaendert: Sprache: DEUTSCH");
    writeFileBytes(guard.path(), "marker");  // a failed save is silent, and the change applies all the same
    ASSERT_TRUE(SetFileAttributesW(guard.path().c_str(), FILE_ATTRIBUTE_READONLY));
    press({VK_RETURN});
    SetFileAttributesW(guard.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(screenMode, ScreenMode::Settings);
    EXPECT_EQ(appSettings.language, 2);
    EXPECT_EQ(readFileBytes(guard.path()), "marker");
}

}  // namespace
