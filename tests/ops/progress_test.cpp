// The copy/move progress box and its bar drawn into a DIB section.
#include <gtest/gtest.h>

#include "common/canvas.h"
#include "ops/progress.h"
#include "ops/requests.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

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
