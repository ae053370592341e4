// The input and YES/NO dialogs: box, fields and buttons drawn where the layout puts them (at full
// HD and below the minimum), the rows composed from requests and inputs, and the choice flags.
#include <gtest/gtest.h>

#include <vector>

#include "app/frame.h"
#include "common/app_state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "ops/requests.h"
#include "screens/dialogs.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

constexpr COLORREF kFill = RGB(0xC8, 0xC8, 0xF0), kFrame = RGB(0x20, 0x90, 0x20), kButton = RGB(0x90, 0x90, 0x90);
using M = ScreenMode;

// The text of a row at 1920 x 1080.
std::wstring rowText(ScreenMode mode, size_t row) {
    return dialogLayout(mode, 1920, 1080).rows.at(row).text;
}

using Dialogs = AppTest;

TEST_F(Dialogs, BoxFieldsAndButtonsAtFullSizeAndBelowTheMinimum) {
    // The overwrite question at full HD: box, two fields, YES in the button fill with a 2-pixel
    // frame, the preselected NO white with 4; the folder input squeezed to w - 80 by h - 100.
    const struct { M mode; int w, h; RECT box; std::vector<RECT> fields, buttons; } cases[] = {
        {M::CopyOverwriteConfirm, 1920, 1080, {580, 325, 1340, 755}, {{624, 437, 1296, 479}, {624, 519, 1296, 561}},
         {{793, 627, 943, 675}, {977, 627, 1127, 675}}},
        {M::CreateFolderInput, 640, 380, {40, 50, 600, 330}, {{84, 182, 556, 230}}, {}},
    };
    theme.dialogBackground = kFill;
    theme.dialogFrame = kFrame;
    theme.keyButtonFill = kButton;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        screenMode = c.mode;
        Canvas canvas(c.w, c.h);
        drawFrame(canvas.dc(), c.w, c.h);
        expectBox(canvas, c.box, 4, kFrame, kFill, CLR_INVALID);
        for (const RECT& field : c.fields) expectBox(canvas, field, 2, kBlack, kWhite, kFill);
        for (size_t i = 0; i < c.buttons.size(); ++i)
            expectBox(canvas, c.buttons[i], i == 0 ? 2 : 4, kBlack, i == 0 ? kButton : kWhite, kFill);
    }
}

// Rows made from a label and a name, a request or an input, in one language beyond English.
TEST_F(Dialogs, RowsComposeTheirTexts) {
    appSettings.language = 1;
    folderNameInput = L"abc";
    renameRequest.oldName = L"old.txt";
    renameInput = L"new.txt";
    copyRequest = {L"copy.bin", L"", L"", L"C:\\copy\\", false, false};
    moveRequest = {L"move.bin", L"", L"", L"C:\\move\\", false};
    const struct { M mode; size_t row; const wchar_t* text; } cases[] = {
        {M::CreateFolderInput, 2, L"abc_"},  // the typed text with its cursor
        {M::RenameInput, 4, L"new.txt_"},
        {M::RenameConfirm, 1, L"Alter Name: old.txt"},
        {M::RenameConfirm, 2, L"Neuer Name: new.txt"},
        {M::CopyOverwriteConfirm, 2, L"copy.bin"},
        {M::CopyOverwriteConfirm, 4, L"C:\\copy\\"},
        {M::MoveOverwriteConfirm, 2, L"move.bin"},
        {M::MoveOverwriteConfirm, 4, L"C:\\move\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(rowText(c.mode, c.row), c.text) << static_cast<int>(c.mode) << " " << c.row;
    // Delete names what it deletes: a folder (2), marked items (3), anything else a file.
    const std::pair<int32_t, const wchar_t*> kinds[] = {{2, L"ORDNER LOESCHEN Ordner:"},
        {3, L"ELEMENTE LOESCHEN Elemente:"}, {1, L"DATEI LOESCHEN Datei:"}, {7, L"DATEI LOESCHEN Datei:"}};
    for (auto [kind, titleAndLabel] : kinds) {
        deleteRequest.kind = static_cast<DeleteKind>(kind);
        EXPECT_EQ(rowText(M::DeleteConfirm, 0) + L" " + rowText(M::DeleteConfirm, 1), titleAndLabel) << kind;
    }
    folderNameInput.clear();
    EXPECT_EQ(rowText(M::CreateFolderInput, 2), L"_");
}

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
}

}  // namespace
