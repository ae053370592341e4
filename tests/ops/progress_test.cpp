// Progress records, reports and the copy/move progress box drawn into a DIB section.
#include <gtest/gtest.h>

#include "app/draw.h"
#include "app/state.h"
#include "common/canvas.h"
#include "ops/progress.h"
#include "ops/requests.h"
#include "settings/settings.h"

namespace {

TEST(Progress, PercentRule) {
    const struct {
        uint64_t done, total;
        int32_t expected;
    } cases[] = {
        {0, 0, 100}, {5, 0, 100}, {0, 7, 0}, {1, 3, 33}, {2, 3, 66}, {3, 3, 100}, {9, 3, 100},
        {uint64_t{1} << 40, (uint64_t{1} << 40) + 1, 99},
    };
    for (const auto& c : cases) EXPECT_EQ(percentOf(c.done, c.total), c.expected) << c.done << "/" << c.total;
}

TEST(Progress, FormatProgressBytes) {
    const struct {
        uint64_t bytes;
        const wchar_t* expected;
    } cases[] = {
        {0, L"0 B"},          {1023, L"1023 B"},        {1024, L"1 KB"},
        {1048575, L"1023 KB"}, {1048576, L"1 MB"},       {1572864, L"1 MB"},
        {1073741823, L"1023 MB"}, {1073741824, L"1 GB"}, {uint64_t{5} << 40, L"5120 GB"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatProgressBytes(c.bytes), c.expected) << c.bytes;
}

TEST(Progress, OperationReportLines) {
    appSettings.language = 0;
    const struct {
        const wchar_t* item;
        DWORD code;
        const wchar_t* hint;
        const wchar_t* expected;
    } cases[] = {
        {L"a.txt", 5, L"Check.", L"Copy failed.\nItem: a.txt\nWindows error: 5\nCheck."},
        {L"", 1223, L"", L"Copy failed.\nWindows error: 1223"},
        {L"dir\\b", 4294967295u, L"", L"Copy failed.\nItem: dir\\b\nWindows error: 4294967295"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(operationReport(L"Copy failed.", c.item, c.code, c.hint), c.expected) << c.code;
    appSettings.language = 1;
    EXPECT_EQ(windowsErrorLine(82), L"Windows-Fehler: 82");
    appSettings.language = 7;  // anything else reads as English
    EXPECT_EQ(windowsErrorLine(29), L"Windows error: 29");
    appSettings.language = 0;
}

TEST(Progress, ReportOpensTheMessageBoxAndDeleteResetClearsIt) {
    showOperationReport(nullptr, L"COPY FAILED", L"Copy failed.", L"x", 80, L"");
    EXPECT_EQ(screenMode, ScreenMode::MessageBox);
    EXPECT_EQ(messageText, L"Copy failed.\nItem: x\nWindows error: 80");
    deleteRequest = {DeleteKind::File, L"x", L"C:\\x"};
    deleteChoice = 0;
    deleteProgress.totalSize = 3;
    resetDeleteOperation();
    EXPECT_EQ(deleteRequest.kind, DeleteKind::None);
    EXPECT_TRUE(deleteRequest.displayText.empty() && deleteRequest.targetPath.empty());
    EXPECT_EQ(deleteChoice, 1);
    EXPECT_EQ(deleteProgress.totalSize, 0u);
    EXPECT_TRUE(messageTitle.empty() && messageText.empty() && messageHint.empty());
    screenMode = ScreenMode::MainView;
}

TEST(Progress, CopyAndMoveResets) {
    setCopyProgress(nullptr, L"a", 1, 4, 3, 0);
    EXPECT_EQ(copyProgress.itemPercent, 25);
    EXPECT_EQ(copyProgress.totalPercent, 100);
    copyRequest = {L"n", L"s", L"t", L"f\\", true, true};
    copyOverwriteChoice = 0;
    resetCopyOperation();
    EXPECT_TRUE(copyRequest.sourceName.empty() && copyRequest.targetFolder.empty());
    EXPECT_FALSE(copyRequest.isFolder || copyRequest.isMulti);
    EXPECT_EQ(copyOverwriteChoice, 1);
    EXPECT_TRUE(copyProgress.currentItem.empty());
    EXPECT_EQ(copyProgress.itemPercent + copyProgress.totalPercent, 0);

    setMoveProgress(nullptr, L"b", 0, 0, 1, 2);
    moveRequest = {L"n", L"s", L"t", L"f\\", true};
    moveOverwriteChoice = 0;
    resetMoveOperation();
    EXPECT_TRUE(moveRequest.sourcePath.empty() && !moveRequest.isFolder);
    EXPECT_EQ(moveOverwriteChoice, 1);
    EXPECT_EQ(moveProgress.totalSize, 0u);
}

// The box drawn on a canvas: frame, background, bars and the lower part where the request asks.
class ProgressBox : public testing::Test {
protected:
    void SetUp() override {
        saved = theme;
        theme.dialogBackground = kBackground;
        theme.dialogFrame = kFrame;
        theme.selectionBarFill = kFill;
    }
    void TearDown() override {
        theme = saved;
        resetCopyOperation();
        resetMoveOperation();
    }
    static constexpr COLORREF kOutside = RGB(1, 2, 3);
    static constexpr COLORREF kBackground = RGB(10, 20, 30);
    static constexpr COLORREF kFrame = RGB(200, 0, 0);
    static constexpr COLORREF kFill = RGB(0, 150, 0);
    Theme saved;
};

TEST_F(ProgressBox, Geometry) {
    enum Request { CopyFile, CopyFolder, CopyMarked, MoveFile, MoveFolder };
    const struct {
        int w, h;
        Request request;
        int left, top, width, height;
        bool lower;
    } cases[] = {
        {1200, 900, CopyFile, 240, 320, 720, 260, false},
        {1200, 900, CopyFolder, 240, 265, 720, 370, true},
        {1000, 480, CopyMarked, 140, 60, 720, 360, true},   // at most H - 120 high
        {700, 350, MoveFile, 40, 60, 620, 230, false},       // at most W - 80 wide
        {2400, 1500, MoveFolder, 800, 500, 800, 500, true},  // a third of the client
        {1200, 900, MoveFile, 240, 320, 720, 260, false},
    };
    for (const auto& c : cases) {
        resetCopyOperation();
        resetMoveOperation();
        copyRequest.isFolder = c.request == CopyFolder || c.request == CopyMarked;
        copyRequest.isMulti = c.request == CopyMarked;
        moveRequest.isFolder = c.request == MoveFolder;
        bool move = c.request == MoveFile || c.request == MoveFolder;
        OperationProgress& progress = move ? moveProgress : copyProgress;
        progress.currentItem = L"report.txt";
        progress.itemPercent = 50;
        progress.totalPercent = 25;

        Canvas canvas(c.w, c.h);
        canvas.clear(kOutside);
        drawCopyMoveProgress(canvas.dc(), c.w, c.h, move);
        int left = c.left, top = c.top, right = c.left + c.width, bottom = c.top + c.height;
        int middle = top + c.height / 2;
        std::string at = std::to_string(c.w) + "x" + std::to_string(c.h) + " request " + std::to_string(c.request);

        EXPECT_EQ(canvas.pixel(left - 4, middle), kOutside) << at;
        EXPECT_EQ(canvas.pixel(left + 1, middle), kFrame) << at;
        EXPECT_EQ(canvas.pixel(right - 2, middle), kFrame) << at;
        EXPECT_EQ(canvas.pixel(right + 3, middle), kOutside) << at;
        EXPECT_EQ(canvas.pixel((left + right) / 2, top + 1), kFrame) << at;
        EXPECT_EQ(canvas.pixel((left + right) / 2, bottom - 2), kFrame) << at;
        EXPECT_EQ(canvas.pixel(left + 8, top + 8), kBackground) << at;
        EXPECT_GT(canvas.countColor(rectOf(left + 30, top + 20, right - 30, top + 64), kBlack), 0) << at << " title";
        EXPECT_GT(canvas.countColor(rectOf(left + 44, top + 108, right - 44, top + 142), kBlack), 0) << at << " item";

        // Upper bar from 152 to 194, half filled.
        EXPECT_EQ(canvas.pixel(left + 44, top + 160), kBlack) << at;
        EXPECT_EQ(canvas.pixel(left + 50, top + 160), kFill) << at;
        EXPECT_EQ(canvas.pixel(right - 50, top + 160), kWhite) << at;
        EXPECT_EQ(canvas.pixel(left + 40, top + 160), kBackground) << at;

        // Lower bar from y + 82 to y + 124, a quarter filled, only when the lower part is shown.
        int y = top + 204;
        int barWidth = right - 44 - (left + 44) - 6;
        int quarter = left + 47 + barWidth / 4;
        if (c.lower) {
            EXPECT_EQ(canvas.pixel(quarter - 3, y + 90), kFill) << at;
            EXPECT_EQ(canvas.pixel(quarter + 3, y + 90), kWhite) << at;
            EXPECT_GT(canvas.countColor(rectOf(left + 44, y + 46, right - 44, y + 76), kBlack), 0) << at << " Total:";
        } else {
            EXPECT_NE(canvas.pixel(quarter - 3, y + 90), kFill) << at;
        }
    }
}

TEST_F(ProgressBox, BarClampsItsPercent) {
    const struct {
        int32_t percent;
        int filled;  // pixels of fill on the row through the bar
    } cases[] = {{-5, 0}, {0, 0}, {1, 1}, {50, 97}, {100, 194}, {250, 194}};
    for (const auto& c : cases) {
        Canvas canvas(220, 60);
        canvas.clear(kOutside);
        drawProgressBar(canvas.dc(), rectOf(10, 10, 210, 50), c.percent);
        EXPECT_EQ(canvas.countColor(rectOf(0, 14, 220, 15), kFill), c.filled) << c.percent;
    }
}

}  // namespace
