// The input and YES/NO dialogs: box, fields and buttons drawn where the layout puts them (at full
// HD and below the minimum), their texts in four languages, and the choice flags.
#include <gtest/gtest.h>

#include <string>
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
constexpr ScreenMode kCreate = ScreenMode::CreateFolderInput, kRename = ScreenMode::RenameInput,
                     kRenameYesNo = ScreenMode::RenameConfirm, kDelete = ScreenMode::DeleteConfirm,
                     kCopy = ScreenMode::CopyOverwriteConfirm, kMove = ScreenMode::MoveOverwriteConfirm,
                     kRun = ScreenMode::RunConfirm;

// The text of a row at 1920 x 1080; a negative row counts from the end (YES, NO, hint).
std::wstring rowText(ScreenMode mode, int row) {
    DialogLayout layout = dialogLayout(mode, 1920, 1080);
    return layout.rows.at(static_cast<size_t>(row < 0 ? static_cast<int>(layout.rows.size()) + row : row)).text;
}

class Dialogs : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        theme.dialogBackground = kFill;
        theme.dialogFrame = kFrame;
        theme.keyButtonFill = kButton;
        folderNameInput = L"abc";
        renameRequest = {L"old.txt", L"C:\\data\\old.txt"};
        deleteRequest.kind = DeleteKind::File;
        moveRequest.sourceName = L"move.bin";
        moveRequest.targetFolder = L"C:\\move-target";
    }
};

TEST_F(Dialogs, BoxFieldsAndButtonsWhereTheLayoutPutsThem) {
    // Fields and buttons as y ranges from the box top; {0, 0}: no buttons.
    const struct {
        ScreenMode mode;
        int w, h;
        RECT box;
        std::vector<std::pair<int, int>> fields;
        std::pair<int, int> buttons;
    } cases[] = {
        {kCreate, 1920, 1080, {620, 360, 1300, 720}, {{132, 180}}, {0, 0}},
        {kRename, 1920, 1080, {580, 360, 1340, 720}, {{198, 246}}, {0, 0}},
        {kRenameYesNo, 1920, 1080, {550, 310, 1370, 770}, {}, {322, 370}},
        {kDelete, 1920, 1080, {600, 350, 1320, 730}, {{122, 170}}, {244, 292}},
        {kCopy, 1920, 1080, {580, 325, 1340, 755}, {{112, 154}, {194, 236}}, {302, 350}},
        {kMove, 1920, 1080, {580, 325, 1340, 755}, {{112, 154}, {194, 236}}, {302, 350}},
        {kRun, 1920, 1080, {600, 360, 1320, 720}, {{122, 170}}, {244, 292}},
        {kCreate, 640, 380, {40, 50, 600, 330}, {}, {0, 0}},  // below the minimum: w - 80 by h - 100
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.mode) << " at " << c.w);
        screenMode = c.mode;
        Canvas canvas(c.w, c.h);
        drawFrame(canvas.dc(), c.w, c.h);
        const RECT& b = c.box;
        expectBox(canvas, b, 4, kFrame, kFill, CLR_INVALID);
        for (auto [top, bottom] : c.fields)  // white, 2-pixel black outline, 44 in from the box
            expectBox(canvas, {b.left + 44, b.top + top, b.right - 44, b.top + bottom}, 2, kBlack, kWhite, kFill);
        if (c.buttons.second == 0) continue;
        // 150 wide, 34 apart; NO preselected: white with a 4-pixel frame, YES in the button fill with 2.
        int yes = (b.left + b.right - 334) / 2, top = b.top + c.buttons.first, bottom = b.top + c.buttons.second;
        expectBox(canvas, {yes, top, yes + 150, bottom}, 2, kBlack, kButton, kFill);
        expectBox(canvas, {yes + 184, top, yes + 334, bottom}, 4, kBlack, kWhite, kFill);
    }
}

TEST_F(Dialogs, TextsInAllFourLanguages) {
    const struct { ScreenMode mode; int row; const wchar_t* text[4]; } cases[] = {
        {kCreate, 0, {L"CREATE FOLDER", L"ORDNER ERSTELLEN", L"CREER DOSSIER", L"CREA CARTELLA"}},
        {kCreate, 2, {L"abc_", L"abc_", L"abc_", L"abc_"}},
        {kRenameYesNo, 1,
         {L"Old name: old.txt", L"Alter Name: old.txt", L"Ancien nom: old.txt", L"Vecchio nome: old.txt"}},
        {kDelete, 3, {L"Are you sure?", L"Bist du sicher?", L"Etes-vous sur?", L"Sei sicuro?"}},
        {kMove, 0, {L"OVERWRITE FILE", L"DATEI UEBERSCHREIBEN", L"REMPLACER FICHIER", L"SOVRASCRIVI FILE"}},
        {kMove, 4, {L"C:\\move-target", L"C:\\move-target", L"C:\\move-target", L"C:\\move-target"}},
        {kRun, -3, {L"YES", L"JA", L"OUI", L"SI"}},
        {kCopy, -1,
         {L"Left/right = YES/NO   Enter = confirm   ESC = cancel",
          L"Links/rechts = JA/NEIN   Enter = bestaetigen   ESC = abbrechen",
          L"Gauche/droite = OUI/NON   Enter = confirmer   ESC = annuler",
          L"Sinistra/destra = SI/NO   Enter = conferma   ESC = annulla"}},
    };
    for (int lang = 0; lang < 4; ++lang) {
        appSettings.language = lang;
        for (const auto& c : cases)
            EXPECT_EQ(rowText(c.mode, c.row), c.text[lang]) << static_cast<int>(c.mode) << " row " << c.row;
    }
    // Delete names what it deletes: folder (2), marked items (3), anything else a file.
    const struct { int32_t kind, language; const wchar_t *title, *label; } kinds[] = {
                 {2, 1, L"ORDNER LOESCHEN", L"Ordner:"}, {3, 2, L"EFFACER ELEMENTS", L"Elements:"},
                 {7, 0, L"DELETE FILE", L"File:"}};
    for (const auto& k : kinds) {
        deleteRequest.kind = static_cast<DeleteKind>(k.kind);
        appSettings.language = k.language;
        EXPECT_EQ(rowText(kDelete, 0) + L"|" + rowText(kDelete, 1), std::wstring(k.title) + L"|" + k.label);
    }
    folderNameInput.clear();
    EXPECT_EQ(rowText(kCreate, 2), L"_");
}

TEST_F(Dialogs, EachConfirmationReadsItsOwnChoice) {
    int32_t* choices[] = {&renameChoice, &deleteChoice, &copyOverwriteChoice, &moveOverwriteChoice, &runChoice};
    const ScreenMode modes[] = {kRenameYesNo, kDelete, kCopy, kMove, kRun};
    for (int chosen = 0; chosen < 5; ++chosen) {
        *choices[chosen] = 0;  // YES in this one only
        for (int m = 0; m < 5; ++m)
            EXPECT_EQ(dialogLayout(modes[m], 1920, 1080).rows.rbegin()[2].part == DialogPart::SelectedButton,
                      m == chosen) << chosen << " " << m;
        *choices[chosen] = 1;
    }
}

}  // namespace
