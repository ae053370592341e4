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
    const struct { uint64_t done, total; int32_t percent; } percents[] = {{0, 0, 100}, {5, 0, 100}, {0, 7, 0}, {2, 3, 66}, {9, 3, 100},
                    {uint64_t{1} << 40, (uint64_t{1} << 40) + 1, 99}};
    for (const auto& c : percents) EXPECT_EQ(percentOf(c.done, c.total), c.percent) << c.done << "/" << c.total;
    const struct { uint64_t bytes; const wchar_t* text; } sizes[] = {{1023, L"1023 B"},    {1024, L"1 KB"},       {1048575, L"1023 KB"},
                 {1572864, L"1 MB"},   {1073741824, L"1 GB"}, {uint64_t{5} << 40, L"5120 GB"}};
    for (const auto& c : sizes) EXPECT_EQ(formatProgressBytes(c.bytes), c.text) << c.bytes;
}

// The item and the hint only when given, the code in unsigned decimal and no error line for 0 (the
// copy and move reports show the rest).
TEST(Progress, OperationReports) {
    const struct { int language; const wchar_t* item; DWORD code; const wchar_t *hint, *expected; } cases[] = {
        {1, L"", 4294967295u, L"", L"Copy failed.\nWindows-Fehler: 4294967295"},
        {0, L"a.txt", 0, L"Check.", L"Copy failed.\nItem: a.txt\nCheck."},
    };
    for (const auto& c : cases) {
        appSettings.language = c.language;
        EXPECT_EQ(operationReport(L"Copy failed.", c.item, c.code, c.hint), c.expected) << c.code;
    }
    appSettings.language = 0;
}

TEST(Progress, ResetsPutEveryChoiceBackOnNoAndDeleteEmptiesTheMessageBox) {
    showOperationReport(nullptr, L"COPY FAILED", L"Copy failed.", L"x", 80, L"");
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

constexpr COLORREF kFrame = RGB(200, 0, 0), kFill = RGB(0, 150, 0);

// The clamps below the minimum size and one full-size frame: the frame's left edge, the upper bar
// half filled, and the lower ("Total:") bar a quarter filled only for folders.
TEST(ProgressBox, ClampedAndFullSize) {
    Theme saved = theme;
    theme.dialogFrame = kFrame;
    theme.selectionBarFill = kFill;
    const struct { int w, h; bool move, folder; int left, top, width; } cases[] = {
        {700, 350, true, false, 40, 60, 620},   // at most W - 80 wide
        {1000, 480, false, true, 140, 60, 720},  // at most H - 120 high
        {1920, 1080, false, true, 600, 355, 720},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        copyRequest.isFolder = moveRequest.isFolder = c.folder;
        for (OperationProgress* progress : {&copyProgress, &moveProgress}) *progress = {L"report.txt", 0, 0, 50, 0, 0, 25};
        Canvas canvas(c.w, c.h);
        drawCopyMoveProgress(canvas.dc(), c.w, c.h, c.move);
        EXPECT_EQ(canvas.pixel(c.left + 1, c.top + 100), kFrame);
        EXPECT_EQ(canvas.pixel(c.left + 50, c.top + 160), kFill);
        EXPECT_EQ(canvas.pixel(c.left + c.width - 50, c.top + 160), kWhite);
        int quarter = c.left + 47 + (c.width - 94) / 4;
        EXPECT_EQ(canvas.pixel(quarter - 3, c.top + 294) == kFill, c.folder);
        EXPECT_TRUE(!c.folder || canvas.pixel(quarter + 3, c.top + 294) == kWhite);
    }
    theme = saved;
    resetCopyOperation();
    resetMoveOperation();
}

TEST(ProgressBox, BarClampsItsPercent) {
    Theme saved = theme;
    theme.selectionBarFill = kFill;
    // percent, and pixels of fill on a row through the 194-pixel inside of the bar
    const struct { int32_t percent; int filled; } cases[] = {{-5, 0}, {1, 1}, {50, 97}, {100, 194}, {101, 194}, {250, 194}};
    for (const auto& c : cases) {
        Canvas canvas(220, 60);
        drawProgressBar(canvas.dc(), rectOf(10, 10, 210, 50), c.percent);
        EXPECT_EQ(canvas.countColor(rectOf(0, 14, 220, 15), kFill), c.filled) << c.percent;
    }
    theme = saved;
}

}  // namespace
