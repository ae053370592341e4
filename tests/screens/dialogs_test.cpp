// The input and YES/NO dialogs: the rows composed from requests and inputs, and the choice flags.
#include <gtest/gtest.h>

#include <vector>

#include "common/app_state.h"
#include "common/canvas.h"
#include "editor/buffer.h"
#include "editor/save.h"
#include "ops/requests.h"
#include "screens/dialogs.h"
#include "settings/settings.h"
#include "ui/state.h"

namespace {

using M = ScreenMode;

// The text of a row at 1920 x 1080.
std::wstring rowText(ScreenMode mode, size_t row) {
    return dialogLayout(mode, 1920, 1080).rows.at(row).text;
}

using Dialogs = AppTest;

// Rows made from a label and a name, a request or an input, in one language beyond English.
TEST_F(Dialogs, RowsComposeTheirTexts) {
    appSettings.language = 1;
    folderNameInput = L"abc";
    renameInput = L"new.txt";
    copyRequest = {L"copy.bin", L"", L"", L"C:\\copy\\", false, false};
    moveRequest = {L"move.bin", L"", L"", L"C:\\move\\", false};
    const struct { M mode; size_t row; const wchar_t* text; } cases[] = {
        {M::CreateFolderInput, 2, L"abc_"},  // the typed text with its cursor
        {M::RenameConfirm, 2, L"Neuer Name: new.txt"},
        {M::CopyOverwriteConfirm, 4, L"C:\\copy\\"},
        {M::MoveOverwriteConfirm, 2, L"move.bin"},
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

}  // namespace
