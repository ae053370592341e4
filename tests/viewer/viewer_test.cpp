// F3 on real files: what each refusal says, and where the keys leave the first visible line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/keys.h"
#include "common/temp_folder.h"
#include "fs/handles.h"
#include "panels/panels.h"
#include "ui/state.h"
#include "viewer/text_load.h"

namespace {

class ViewerTest : public AppTest {
protected:
    TempFolder temp;

    std::wstring openOn(const std::wstring& name) {
        showPanels(temp.path(), temp.path(), name);
        std::wstring status = press({VK_F3});
        return screenMode == ScreenMode::MessageBox ? messageTitle + L" " + messageText : status;
    }
};

TEST_F(ViewerTest, OpeningSaysWhyItRefuses) {
    temp.file(L"data.bin", "plain words");
    temp.file(L"nul.txt", std::string(64, '\0'));
    temp.file(L"locked.txt", "words");
    temp.file(L"fine.md", "one\ntwo");
    FileHandle lock(CreateFileW((temp / L"locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock.valid());
    const struct { const wchar_t* name; const wchar_t* said; ScreenMode mode; } cases[] = {
        {L"..", L"F3 READ works for files only.", ScreenMode::MainView},
        {L"data.bin", L"UNSUPPORTED FILE TYPE F3 opens text/source files only.", ScreenMode::MessageBox},
        {L"nul.txt", L"BINARY FILE This file does not look like a text file.", ScreenMode::MessageBox},
        {L"locked.txt", L"READ ERROR File could not be read.", ScreenMode::MessageBox},
        {L"fine.md", L"F3 READ: fine.md", ScreenMode::Viewer},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(openOn(c.name), c.said);
        EXPECT_EQ(screenMode, c.mode) << c.name;
        EXPECT_EQ(loadedText.lines.size(), c.mode == ScreenMode::Viewer ? 2u : 0u) << c.name;
        std::wstring closed = press({VK_ESCAPE});
        EXPECT_TRUE(c.mode != ScreenMode::Viewer || closed == L"Viewer closed.") << closed;
        EXPECT_TRUE(loadedText.lines.empty() && loadedText.fullPath.empty()) << "closing empties the document";
    }
}

TEST_F(ViewerTest, KeysStayWithinTheLines) {
    const struct { int lines; std::vector<UINT> keys; int32_t first; } cases[] = {
        {1, {VK_DOWN, VK_NEXT, VK_END, VK_UP, VK_PRIOR}, 0},
        {100, {VK_END, VK_DOWN, VK_NEXT}, 99},
        {100, {VK_NEXT, VK_NEXT, VK_UP, VK_F3, VK_F10, 'A'}, 29},
    };
    for (const auto& c : cases) {
        std::string text;
        for (int i = 1; i < c.lines; ++i) text += "line\r\n";
        temp.file(L"doc.txt", text + "end");
        openOn(L"doc.txt");
        ASSERT_EQ(screenMode, ScreenMode::Viewer);
        for (UINT key : c.keys) press({key});
        EXPECT_EQ(loadedText.firstVisibleLine, c.first) << c.lines << " lines, " << c.keys.size() << " keys";
        EXPECT_EQ(screenMode, ScreenMode::Viewer);
        press({VK_ESCAPE});
    }
}

}  // namespace
