// The input and YES/NO dialogs: box sizes at full HD and below the minimum, the rows where the
// layout puts them, fields and buttons as drawn, and their texts in all four languages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/draw.h"
#include "app/state.h"
#include "common/app_state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "screens/dialog_texts.h"
#include "ops/requests.h"
#include "screens/dialogs.h"
#include "settings/settings.h"

namespace {

constexpr COLORREF kOutside = RGB(1, 2, 3), kDialogFill = RGB(0xC8, 0xC8, 0xF0),
                   kDialogFrame = RGB(0x20, 0x90, 0x20), kButtonFill = RGB(0x90, 0x90, 0x90);
constexpr ScreenMode kCreate = ScreenMode::CreateFolderInput, kRename = ScreenMode::RenameInput,
                     kRenameYesNo = ScreenMode::RenameConfirm, kDelete = ScreenMode::DeleteConfirm,
                     kCopy = ScreenMode::CopyOverwriteConfirm, kMove = ScreenMode::MoveOverwriteConfirm,
                     kRun = ScreenMode::RunConfirm;

void drawDialog(HDC dc, ScreenMode mode, int w, int h) {
    switch (mode) {
    case kCreate: return drawCreateFolderInput(dc, w, h);
    case kRename: return drawRenameInput(dc, w, h);
    case kRenameYesNo: return drawRenameConfirm(dc, w, h);
    case kDelete: return drawDeleteConfirm(dc, w, h);
    case kCopy: return drawOverwriteConfirm(dc, w, h, false);
    case kMove: return drawOverwriteConfirm(dc, w, h, true);
    default: return drawRunConfirm(dc, w, h);
    }
}

std::wstring rowText(ScreenMode mode, int row) {  // a negative row counts from the end
    DialogLayout layout = dialogLayout(mode, 1920, 1080);
    return layout.rows.at(static_cast<size_t>(row < 0 ? static_cast<int>(layout.rows.size()) + row : row)).text;
}

class Dialogs : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        theme.dialogBackground = kDialogFill;
        theme.dialogFrame = kDialogFrame;
        theme.keyButtonFill = kButtonFill;
        folderNameInput = L"abc";
        renameInput = L"new.txt";
        renameRequest = {L"old.txt", L"C:\\data\\old.txt"};
        runRequest = {L"setup.exe", L"C:\\data\\setup.exe"};
        deleteRequest.kind = DeleteKind::File;
        deleteRequest.displayText = L"report.txt";
        copyRequest.sourceName = L"copy.bin";
        copyRequest.targetFolder = L"C:\\copy-target";
        moveRequest.sourceName = L"move.bin";
        moveRequest.targetFolder = L"C:\\move-target";
    }
};

// y ranges of fields and buttons from the box top, as the layout of each screen fixes them.
struct Band {
    int top, bottom;
};

TEST_F(Dialogs, BoxFieldsAndButtonsWhereTheLayoutPutsThem) {
    const struct {
        ScreenMode mode;
        int w, h;
        RECT box;
        std::vector<Band> fields;
        Band buttons;  // {0, 0}: none
    } cases[] = {
        {kCreate, 1920, 1080, {620, 360, 1300, 720}, {{132, 180}}, {0, 0}},  // a third of 1080 beats 300
        {kRename, 1920, 1080, {580, 360, 1340, 720}, {{198, 246}}, {0, 0}},
        {kRenameYesNo, 1920, 1080, {550, 310, 1370, 770}, {}, {322, 370}},
        {kDelete, 1920, 1080, {600, 350, 1320, 730}, {{122, 170}}, {244, 292}},
        {kCopy, 1920, 1080, {580, 325, 1340, 755}, {{112, 154}, {194, 236}}, {302, 350}},
        {kMove, 1920, 1080, {580, 325, 1340, 755}, {{112, 154}, {194, 236}}, {302, 350}},
        {kRun, 1920, 1080, {600, 360, 1320, 720}, {{122, 170}}, {244, 292}},
        {kCreate, 3000, 1500, {1000, 500, 2000, 1000}, {}, {0, 0}},  // a third of both sides
        {kCreate, 640, 380, {40, 50, 600, 330}, {}, {0, 0}},         // capped at w - 80, h - 100
        {kRenameYesNo, 900, 520, {40, 50, 860, 470}, {}, {0, 0}},
        {kRun, 700, 420, {40, 50, 660, 370}, {}, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.mode) << " at " << c.w << "x" << c.h);
        Canvas canvas(c.w, c.h);
        canvas.clear(kOutside);
        drawDialog(canvas.dc(), c.mode, c.w, c.h);
        const RECT& box = c.box;
        expectBox(canvas, box, 4, kDialogFrame, kDialogFill, kOutside);
        for (const Band& f : c.fields) {
            // White inside (its right end is free of text), a 2-pixel black outline 44 in from the box.
            expectBox(canvas, {box.left + 44, box.top + f.top, box.right - 44, box.top + f.bottom}, 2, kBlack,
                      kWhite, kDialogFill);
        }
        if (c.buttons.bottom == 0) continue;
        // NO is preselected: YES in the button fill with a 2-pixel frame, NO white with a 4-pixel one,
        // both 150 wide with 34 between them.
        int yes = box.left + (box.right - box.left - 334) / 2, top = box.top + c.buttons.top,
            bottom = box.top + c.buttons.bottom;
        expectBox(canvas, {yes, top, yes + 150, bottom}, 2, kBlack, kButtonFill, kDialogFill);
        expectBox(canvas, {yes + 184, top, yes + 334, bottom}, 4, kBlack, kWhite, kDialogFill);
    }
}

TEST_F(Dialogs, TextRowsHaveTheirBandsInsetsAndFonts) {
    // Negative offsets count from the box bottom (the key hints); buttons are left out.
    struct Row {
        int top, bottom;
        DialogFont font;
        bool centred;
    };
    const DialogFont B = DialogFont::Bold, S = DialogFont::Label, H = DialogFont::Hint, N = DialogFont::Normal;
    const struct {
        ScreenMode mode;
        std::vector<Row> rows;
    } cases[] = {
        {kCreate, {{24, 70, B, true}, {96, 128, S, false}, {132, 180, N, false}, {-54, -18, H, true}}},
        {kCopy, {{22, 68, B, true}, {82, 110, S, false}, {112, 154, S, false}, {164, 192, S, false},
                 {194, 236, S, false}, {252, 290, B, true}, {-48, -16, H, true}}},
    };
    for (const auto& c : cases) {
        DialogLayout layout = dialogLayout(c.mode, 1920, 1080);
        const RECT& box = layout.box;
        std::vector<DialogRow> rows;
        for (const DialogRow& row : layout.rows)
            if (row.part == DialogPart::Text || row.part == DialogPart::Field) rows.push_back(row);
        ASSERT_EQ(rows.size(), c.rows.size()) << static_cast<int>(c.mode);
        for (size_t i = 0; i < rows.size(); ++i) {
            const Row& want = c.rows[i];
            SCOPED_TRACE(testing::Message() << static_cast<int>(c.mode) << " row " << i);
            LONG base = want.top < 0 ? box.bottom : box.top;
            int inset = want.centred ? 30 : 44;
            const RECT expected = {box.left + inset, base + want.top, box.right - inset, base + want.bottom};
            EXPECT_TRUE(EqualRect(&rows[i].rect, &expected));
            EXPECT_EQ(rows[i].font, want.font);
            EXPECT_EQ(rows[i].flags, want.centred ? kLineCentre : kLineLeftMiddle);
        }
    }
}

TEST_F(Dialogs, TextsInAllFourLanguages) {
    const struct {
        ScreenMode mode;
        int row;  // negative: from the end (YES, NO, hint)
        const wchar_t* text[4];
    } cases[] = {
        {kCreate, 0, {L"CREATE FOLDER", L"ORDNER ERSTELLEN", L"CREER DOSSIER", L"CREA CARTELLA"}},
        {kCreate, 2, {L"abc_", L"abc_", L"abc_", L"abc_"}},
        {kRename, 0, {L"RENAME", L"UMBENENNEN", L"RENOMMER", L"RINOMINA"}},
        {kRename, 4, {L"new.txt_", L"new.txt_", L"new.txt_", L"new.txt_"}},
        {kRenameYesNo, 1,
         {L"Old name: old.txt", L"Alter Name: old.txt", L"Ancien nom: old.txt", L"Vecchio nome: old.txt"}},
        {kDelete, 3, {L"Are you sure?", L"Bist du sicher?", L"Etes-vous sur?", L"Sei sicuro?"}},
        {kCopy, 0, {L"OVERWRITE FILE", L"DATEI UEBERSCHREIBEN", L"REMPLACER FICHIER", L"SOVRASCRIVI FILE"}},
        {kCopy, 3, {L"Target:", L"Ziel:", L"Cible:", L"Destinazione:"}},
        {kMove, 2, {L"move.bin", L"move.bin", L"move.bin", L"move.bin"}},
        {kMove, 4, {L"C:\\move-target", L"C:\\move-target", L"C:\\move-target", L"C:\\move-target"}},
        {kRun, 0, {L"RUN PROGRAM", L"PROGRAMM STARTEN", L"LANCER PROGRAMME", L"AVVIA PROGRAMMA"}},
        {kRun, -3, {L"YES", L"JA", L"OUI", L"SI"}},
        {kRenameYesNo, -2, {L"NO", L"NEIN", L"NON", L"NO"}},
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
    // Delete names what it deletes: any kind but folder (2) and marked items (3) reads as a file.
    const struct {
        int32_t kind, language;
        const wchar_t *title, *label;
    } kinds[] = {
        {1, 0, L"DELETE FILE", L"File:"},      {2, 1, L"ORDNER LOESCHEN", L"Ordner:"},
        {3, 2, L"EFFACER ELEMENTS", L"Elements:"}, {7, 3, L"ELIMINA FILE", L"File:"},
        {0, 0, L"DELETE FILE", L"File:"},
    };
    for (const auto& k : kinds) {
        deleteRequest.kind = static_cast<DeleteKind>(k.kind);
        appSettings.language = k.language;
        EXPECT_EQ(rowText(kDelete, 0), k.title) << k.kind;
        EXPECT_EQ(rowText(kDelete, 1), k.label) << k.kind;
    }
    folderNameInput.clear();  // an empty input shows only the cursor mark; a long name stays whole
    EXPECT_EQ(rowText(kCreate, 2), L"_");
    renameInput.assign(120, L'x');
    EXPECT_EQ(dialogLayout(kRename, 640, 400).rows[4].text, renameInput + L"_");
}

TEST_F(Dialogs, ConfirmationsOpenOnNoAndEachReadsItsOwnChoice) {
    const struct {
        ScreenMode mode;
        int32_t* choice;
    } cases[] = {{kRenameYesNo, &renameChoice}, {kDelete, &deleteChoice}, {kCopy, &copyOverwriteChoice},
                 {kMove, &moveOverwriteChoice}, {kRun, &runChoice}};
    auto selected = [](ScreenMode mode) {  // which of YES (0) and NO (1) is drawn selected
        DialogLayout layout = dialogLayout(mode, 1920, 1080);
        size_t n = layout.rows.size();
        bool yes = layout.rows[n - 3].part == DialogPart::SelectedButton,
             no = layout.rows[n - 2].part == DialogPart::SelectedButton;
        return yes == no ? -1 : (yes ? 0 : 1);
    };
    for (const auto& c : cases) {
        EXPECT_EQ(selected(c.mode), 1) << static_cast<int>(c.mode);
        *c.choice = 0;
        for (const auto& other : cases) EXPECT_EQ(selected(other.mode), other.mode == c.mode ? 0 : 1);
        *c.choice = 1;
    }
}

TEST_F(Dialogs, BackspaceRepaintsOnlyWhenSomethingIsRemoved) {
    // Visible (a hidden window collects no update region) but off the screen, so no expose from the
    // display can invalidate it between the steps.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, -4000, -4000, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    std::wstring input = L"ab";
    for (const wchar_t* left : {L"a", L"", L""}) {
        ValidateRect(window, nullptr);
        bool removes = !input.empty();
        inputBackspace(window, input);
        EXPECT_EQ(input, left);
        EXPECT_EQ(GetUpdateRect(window, nullptr, FALSE) != FALSE, removes) << "repaint pending";
    }
    DestroyWindow(window);
}

}  // namespace
