// The YES/NO dialogs, each lighting the choice of its own question; the help screen's key column,
// following the function-key bar, and a description of its own for every row in every language;
// the settings screen's keys, each change applied and saved at once, a failed save silent. Their
// boxes: the boxes test.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/app_state.h"
#include "common/canvas.h"
#include "common/keys.h"
#include "common/settings_file_guard.h"
#include "common/temp_folder.h"
#include "editor/buffer.h"
#include "editor/save.h"
#include "screens/dialogs.h"
#include "screens/help.h"
#include "screens/settings_screen.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/function_keys.h"
#include "ui/state.h"

namespace {

using M = ScreenMode;

using Dialogs = AppTest;

TEST_F(Dialogs, EachConfirmationReadsItsOwnChoice) {
    int32_t* choices[] = {&renameChoice, &deleteChoice, &copyOverwriteChoice, &moveOverwriteChoice, &runChoice};
    const M modes[] = {M::RenameConfirm, M::DeleteConfirm, M::CopyOverwriteConfirm, M::MoveOverwriteConfirm,
                       M::RunConfirm};
    for (int chosen = 0; chosen < 5; ++chosen) {
        *choices[chosen] = 0;  // YES in this one only
        for (int m = 0; m < 5; ++m)  // the rows end with YES, NO and the hint
            EXPECT_EQ(dialogLayout(modes[m], 1920, 1080).rows.rbegin()[2].part == DialogPart::SelectedButton,
                      m == chosen) << chosen << " " << m;
        *choices[chosen] = 1;
    }
    // The editor's save question is drawn on its own: the unlit button, in the button fill, is the other one.
    theme.keyButtonFill = RGB(0x90, 0x90, 0x90);
    Canvas canvas(1920, 1080);
    for (int32_t choice : {0, 1}) {
        editor.saveChoice = choice;
        drawSaveConfirm(canvas.dc(), 1920, 1080);
        const int left = canvas.countColor({0, 0, 960, 1080}, theme.keyButtonFill),
                  right = canvas.countColor({960, 0, 1920, 1080}, theme.keyButtonFill);
        EXPECT_TRUE(choice == 0 ? left == 0 && right > 0 : left > 0 && right == 0) << choice;
    }
}

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

// The current settings as the file must hold them.
std::string record() {
    SettingsRecord r = encodeSettings(appSettings);
    return std::string(r.begin(), r.end());
}

using SettingsScreen = AppTest;

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
