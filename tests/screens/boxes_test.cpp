// The boxes of every screen drawn into a DIB section at full HD and below the minimum size: each box
// where the layout puts it, and the boxes inside it.
#include <gtest/gtest.h>

#include <vector>

#include "common/app_state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "panels/drives.h"
#include "screens/dialogs.h"
#include "screens/help.h"
#include "screens/info.h"
#include "screens/settings_screen.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

const COLORREF kCanvas = RGB(1, 2, 3), kYellow = RGB(0xFF, 0xE6, 0x00), kTable = RGB(0xD2, 0xD2, 0xD2);

// A box as drawBox draws it; the first of a screen lies on the bare canvas, the others on its fill.
struct Box { RECT rect; int pen; COLORREF frame, fill; };
using Boxes = std::vector<Box>;

// The current row (4) of the settings and the second drive row highlighted white.
void settingsRows(const Canvas& c, const Boxes& b) {
    EXPECT_EQ(c.pixel(b[0].rect.left + 35, b[0].rect.top + 76 + 46 * 4 + 19), kWhite);
}
// In the low window only five lines of 28 fit above the terms panel's bottom; the sixth is left out.
void infoLines(const Canvas& c, const Boxes& b) {
    const RECT p = b[1].rect;
    auto ink = [&](int in, int y0, int y1) { return c.countColor({p.left + in, y0, p.right - in, y1}, kBlack); };
    if (c.height() == 1080) return;
    for (int i = 0; i < 5; ++i) EXPECT_GT(ink(16, p.top + 10 + 28 * i, p.top + 38 + 28 * i), 0) << i;
    EXPECT_EQ(ink(3, p.top + 151, p.bottom - 2), 0) << "no sixth line";
}
// The help table's bands alternate, the first one the even fill.
void helpBands(const Canvas& c, const Boxes& b) {
    const int x = b[1].rect.left + 6, y = b[1].rect.top + 6;
    EXPECT_EQ(c.pixel(x, y), RGB(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(c.pixel(x, y + (c.height() == 1080 ? 27 : 20)), RGB(0xC8, 0xC8, 0xC8));
}
void driveRows(const Canvas& c, const Boxes& b) {
    EXPECT_EQ(c.pixel(b[0].rect.right - 48, b[0].rect.top + 132), kWhite);
}

using ScreenBoxes = AppTest;

// Below the minimum most boxes take w - 80 by h - 100; the drive list is half the frame but at least
// 760 x 430; the info box is 980 wide at least and as high as its terms at the largest font.
TEST_F(ScreenBoxes, EveryScreensBoxesAtFullSizeAndBelowTheMinimum) {
    appSettings.panelBorder = 2;  // a yellow frame differs from every fill
    applyColorScheme();
    settingsRow = 4;
    driveList = {{L"C:\\", 0, L"", false}, {L"D:\\", 0, L"", false}, {L"Z:\\", 0, L"", false}};
    driveIndex = 1;
    const COLORREF dialog = theme.dialogBackground;
    // The overwrite question: two fields, YES in the button fill with a 2-pixel frame and the
    // preselected NO white with 4.
    const struct {
        const char* what;
        void (*draw)(HDC, int, int);
        int w, h, fontSize;
        Boxes boxes;
        void (*more)(const Canvas&, const Boxes&) = nullptr;
        bool bottom = true;  // false: rows run over the bottom side, left unchecked
    } screens[] = {
        {"overwrite", [](HDC dc, int w, int h) { drawOverwriteConfirm(dc, w, h, false); }, 1920, 1080, 1,
         {{{580, 325, 1340, 755}, 4, kYellow, dialog}, {{624, 437, 1296, 479}, 2, kBlack, kWhite},
          {{624, 519, 1296, 561}, 2, kBlack, kWhite}, {{793, 627, 943, 675}, 2, kBlack, theme.keyButtonFill},
          {{977, 627, 1127, 675}, 4, kBlack, kWhite}}},
        {"folder input", drawCreateFolderInput, 640, 380, 1,
         {{{40, 50, 600, 330}, 4, kYellow, dialog}, {{84, 182, 556, 230}, 2, kBlack, kWhite}}},
        {"settings", drawSettingsScreen, 1920, 1080, 1, {{{620, 280, 1300, 800}, 4, kYellow, dialog}}, settingsRows},
        {"settings", drawSettingsScreen, 700, 560, 1, {{{40, 50, 660, 510}, 4, kYellow, dialog}}, settingsRows},
        {"info", drawInfoScreen, 1920, 1080, 2,
         {{{470, 181, 1450, 899}, 6, kYellow, dialog}, {{500, 339, 1420, 837}, 2, kBlack, kTable}}, infoLines},
        {"info", drawInfoScreen, 1000, 500, 2,
         {{{60, 50, 940, 450}, 6, kYellow, dialog}, {{90, 208, 910, 388}, 2, kBlack, kTable}}, infoLines},
        {"help", drawHelpScreen, 1920, 1080, 1,
         {{{240, 135, 1680, 945}, 4, kYellow, dialog}, {{274, 213, 1646, 889}, 2, kBlack, kTable}}, helpBands},
        {"help", drawHelpScreen, 800, 600, 1,
         {{{40, 50, 760, 550}, 4, kYellow, dialog}, {{74, 128, 726, 494}, 2, kBlack, kTable}}, helpBands, false},
        {"drives", drawDriveSelect, 1920, 1080, 1, {{{480, 270, 1440, 810}, 4, kYellow, dialog}}, driveRows},
        {"drives", drawDriveSelect, 800, 500, 1, {{{40, 50, 760, 450}, 4, kYellow, dialog}}, driveRows},
    };
    for (const auto& s : screens) {
        SCOPED_TRACE(testing::Message() << s.what << " at " << s.w << "x" << s.h);
        appSettings.fontSize = s.fontSize;
        applyTheme();
        deleteFonts();
        createFonts();
        Canvas canvas(s.w, s.h);
        canvas.clear(kCanvas);
        s.draw(canvas.dc(), s.w, s.h);
        for (const Box& box : s.boxes)
            expectBox(canvas, box.rect, box.pen, box.frame, box.fill, &box == &s.boxes[0] ? kCanvas : dialog, s.bottom);
        if (s.more) s.more(canvas, s.boxes);
    }
}

}  // namespace
