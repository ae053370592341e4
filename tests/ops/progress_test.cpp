// Progress records, reports and the copy/move progress box drawn into a DIB section.
#include <gtest/gtest.h>

#include "common/canvas.h"
#include "ops/progress.h"
#include "ops/requests.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

TEST(Progress, PercentAndByteFormats) {
    const struct {
        uint64_t done, total;
        int32_t percent;
    } percents[] = {{0, 0, 100}, {5, 0, 100}, {0, 7, 0}, {2, 3, 66}, {9, 3, 100},
                    {uint64_t{1} << 40, (uint64_t{1} << 40) + 1, 99}};
    for (const auto& c : percents) EXPECT_EQ(percentOf(c.done, c.total), c.percent) << c.done << "/" << c.total;
    const struct {
        uint64_t bytes;
        const wchar_t* text;
    } sizes[] = {{1023, L"1023 B"},    {1024, L"1 KB"},       {1048575, L"1023 KB"},
                 {1572864, L"1 MB"},   {1073741824, L"1 GB"}, {uint64_t{5} << 40, L"5120 GB"}};
    for (const auto& c : sizes) EXPECT_EQ(formatProgressBytes(c.bytes), c.text) << c.bytes;
}

TEST(Progress, OperationReports) {
    const struct {
        int language;
        const wchar_t* item;
        DWORD code;
        const wchar_t* hint;
        const wchar_t* expected;
    } cases[] = {
        {0, L"a.txt", 5, L"Check.", L"Copy failed.\nItem: a.txt\nWindows error: 5\nCheck."},
        {0, L"", 1223, L"", L"Copy failed.\nWindows error: 1223"},
        {0, L"b", 4294967295u, L"", L"Copy failed.\nItem: b\nWindows error: 4294967295"},
        {1, L"", 82, L"", L"Copy failed.\nWindows-Fehler: 82"},
        {7, L"", 29, L"", L"Copy failed.\nWindows error: 29"},  // an unknown language reads as English
    };
    for (const auto& c : cases) {
        appSettings.language = c.language;
        EXPECT_EQ(operationReport(L"Copy failed.", c.item, c.code, c.hint), c.expected) << c.code;
    }
    appSettings.language = 0;
}

TEST(Progress, ResetsPutEveryChoiceBackOnNoAndDeleteEmptiesTheMessageBox) {
    showOperationReport(nullptr, L"COPY FAILED", L"Copy failed.", L"x", 80, L"");
    EXPECT_EQ(screenMode, ScreenMode::MessageBox);
    EXPECT_EQ(messageText, L"Copy failed.\nItem: x\nWindows error: 80");
    deleteChoice = copyOverwriteChoice = moveOverwriteChoice = 0;
    setCopyProgress(nullptr, L"a", 1, 4, 3, 0);
    resetDeleteOperation();
    resetCopyOperation();
    resetMoveOperation();
    EXPECT_TRUE(messageTitle.empty() && messageText.empty()) << "a report is opened after the reset";
    EXPECT_EQ(deleteChoice + copyOverwriteChoice + moveOverwriteChoice, 3);
    EXPECT_EQ(copyProgress.itemPercent + copyProgress.totalPercent, 0);
    screenMode = ScreenMode::MainView;
}

constexpr COLORREF kOutside = RGB(1, 2, 3), kBackground = RGB(10, 20, 30), kFrame = RGB(200, 0, 0),
                   kFill = RGB(0, 150, 0);

TEST(ProgressBox, GeometryAndBars) {
    Theme saved = theme;
    theme.dialogBackground = kBackground;
    theme.dialogFrame = kFrame;
    theme.selectionBarFill = kFill;
    enum Request { CopyFile, CopyFolder, CopyMarked, MoveFile, MoveFolder };
    const struct {
        int w, h;
        Request request;
        int left, top, width, height;
        bool lower;  // the "Total:" part
    } cases[] = {
        {1200, 900, CopyFile, 240, 320, 720, 260, false},
        {1200, 900, CopyFolder, 240, 265, 720, 370, true},
        {1000, 480, CopyMarked, 140, 60, 720, 360, true},   // at most H - 120 high
        {700, 350, MoveFile, 40, 60, 620, 230, false},       // at most W - 80 wide
        {2400, 1500, MoveFolder, 800, 500, 800, 500, true},  // a third of the client
    };
    for (const auto& c : cases) {
        resetCopyOperation();
        resetMoveOperation();
        copyRequest.isFolder = c.request == CopyFolder || c.request == CopyMarked;
        copyRequest.isMulti = c.request == CopyMarked;
        moveRequest.isFolder = c.request == MoveFolder;
        bool move = c.request == MoveFile || c.request == MoveFolder;
        for (OperationProgress* progress : {&copyProgress, &moveProgress}) *progress = {L"report.txt", 0, 0, 50, 0, 0, 25};
        Canvas canvas(c.w, c.h);
        canvas.clear(kOutside);
        drawCopyMoveProgress(canvas.dc(), c.w, c.h, move);
        int left = c.left, top = c.top, right = left + c.width, bottom = top + c.height, middle = top + c.height / 2;
        std::string at = std::to_string(c.w) + "x" + std::to_string(c.h) + " request " + std::to_string(c.request);

        // The frame at the edges, the upper bar (top + 152 to top + 194) half filled.
        const struct {
            int x, y;
            COLORREF color;
        } pixels[] = {{left - 4, middle, kOutside},        {left + 1, middle, kFrame},
                      {right - 2, middle, kFrame},         {right + 3, middle, kOutside},
                      {left + 100, top + 1, kFrame},       {left + 100, bottom - 2, kFrame},
                      {left + 40, top + 160, kBackground}, {left + 44, top + 160, kBlack},
                      {left + 50, top + 160, kFill},       {right - 50, top + 160, kWhite}};
        for (const auto& p : pixels) EXPECT_EQ(canvas.pixel(p.x, p.y), p.color) << at << " at " << p.x << "," << p.y;
        EXPECT_GT(canvas.countColor(rectOf(left + 44, top + 108, right - 44, top + 142), kBlack), 0) << at << " item";
        // Lower bar from top + 286 to top + 328, a quarter filled.
        int quarter = left + 47 + (c.width - 94) / 4;
        EXPECT_EQ(canvas.pixel(quarter - 3, top + 294) == kFill, c.lower) << at;
        EXPECT_TRUE(!c.lower || canvas.pixel(quarter + 3, top + 294) == kWhite) << at;
    }
    theme = saved;
    resetCopyOperation();
    resetMoveOperation();
}

TEST(ProgressBox, BarClampsItsPercent) {
    Theme saved = theme;
    theme.selectionBarFill = kFill;
    const struct {
        int32_t percent;
        int filled;  // pixels of fill on a row through the 194-pixel inside of the bar
    } cases[] = {{-5, 0}, {1, 1}, {50, 97}, {100, 194}, {250, 194}};
    for (const auto& c : cases) {
        Canvas canvas(220, 60);
        drawProgressBar(canvas.dc(), rectOf(10, 10, 210, 50), c.percent);
        EXPECT_EQ(canvas.countColor(rectOf(0, 14, 220, 15), kFill), c.filled) << c.percent;
    }
    theme = saved;
}

}  // namespace
