// The input and YES/NO dialogs: box sizes at full HD and below the minimum, the rows where the
// layout puts them, fields and buttons as drawn, and every text in all four languages.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/draw.h"
#include "app/state.h"
#include "common/canvas.h"
#include "screens/dialog_texts.h"
#include "screens/dialogs.h"
#include "settings/settings.h"

namespace {

constexpr COLORREF kOutside = RGB(1, 2, 3);
constexpr COLORREF kDialogFill = RGB(0xC8, 0xC8, 0xF0);
constexpr COLORREF kDialogFrame = RGB(0x20, 0x90, 0x20);
constexpr COLORREF kButtonFill = RGB(0x90, 0x90, 0x90);

const ScreenMode kDialogModes[] = {ScreenMode::CreateFolderInput,    ScreenMode::RenameInput,
                                   ScreenMode::RenameConfirm,        ScreenMode::DeleteConfirm,
                                   ScreenMode::CopyOverwriteConfirm, ScreenMode::MoveOverwriteConfirm,
                                   ScreenMode::RunConfirm};

void drawDialog(HDC dc, ScreenMode mode, int w, int h) {
    switch (mode) {
    case ScreenMode::CreateFolderInput: return drawCreateFolderInput(dc, w, h);
    case ScreenMode::RenameInput: return drawRenameInput(dc, w, h);
    case ScreenMode::RenameConfirm: return drawRenameConfirm(dc, w, h);
    case ScreenMode::DeleteConfirm: return drawDeleteConfirm(dc, w, h);
    case ScreenMode::CopyOverwriteConfirm: return drawOverwriteConfirm(dc, w, h, false);
    case ScreenMode::MoveOverwriteConfirm: return drawOverwriteConfirm(dc, w, h, true);
    case ScreenMode::RunConfirm: return drawRunConfirm(dc, w, h);
    default: return;
    }
}

// Consecutive pixels of `color` on row y, starting at or after x0 and scanning right.
int runOf(const Canvas& canvas, int x0, int y, COLORREF color) {
    int x = x0;
    while (x < x0 + 8 && canvas.pixel(x, y) != color) ++x;
    int n = 0;
    while (canvas.pixel(x + n, y) == color) ++n;
    return n;
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        savedTheme = theme;
        savedSettings = appSettings;
        theme.dialogBackground = kDialogFill;
        theme.dialogFrame = kDialogFrame;
        theme.keyButtonFill = kButtonFill;
        appSettings.language = 0;
        createFonts();
        folderNameInput = L"abc";
        renameInput = L"new.txt";
        renameRequest = {L"old.txt", L"C:\\data\\old.txt"};
        runRequest = {L"setup.exe", L"C:\\data\\setup.exe"};
        dialogTexts = DialogTexts();
        dialogTexts.deleteKind = 1;
        dialogTexts.deleteText = L"report.txt";
        dialogTexts.copyFile = L"copy.bin";
        dialogTexts.copyTarget = L"C:\\copy-target";
        dialogTexts.moveFile = L"move.bin";
        dialogTexts.moveTarget = L"C:\\move-target";
        renameChoice = deleteChoice = copyOverwriteChoice = moveOverwriteChoice = runChoice = 1;
    }
    void TearDown() override {
        deleteFonts();
        theme = savedTheme;
        appSettings = savedSettings;
        folderNameInput.clear();
        renameInput.clear();
        renameRequest = RenameRequest();
        runRequest = RunRequest();
        dialogTexts = DialogTexts();
    }
    Theme savedTheme;
    AppSettings savedSettings;
};

TEST_F(Dialogs, BoxSizeFollowsTheClientAreaWithinItsMinimumAndMargins) {
    struct Case {
        ScreenMode mode;
        int w, h;
        RECT box;
    };
    const Case cases[] = {
        {ScreenMode::CreateFolderInput, 1920, 1080, {620, 360, 1300, 720}},  // a third of 1080 beats 300
        {ScreenMode::RenameInput, 1920, 1080, {580, 360, 1340, 720}},
        {ScreenMode::RenameConfirm, 1920, 1080, {550, 310, 1370, 770}},
        {ScreenMode::DeleteConfirm, 1920, 1080, {600, 350, 1320, 730}},
        {ScreenMode::CopyOverwriteConfirm, 1920, 1080, {580, 325, 1340, 755}},
        {ScreenMode::MoveOverwriteConfirm, 1920, 1080, {580, 325, 1340, 755}},
        {ScreenMode::RunConfirm, 1920, 1080, {600, 360, 1320, 720}},
        {ScreenMode::CreateFolderInput, 3000, 1500, {1000, 500, 2000, 1000}},  // a third of both
        {ScreenMode::CreateFolderInput, 640, 380, {40, 50, 600, 330}},  // capped at w - 80, h - 100
        {ScreenMode::RenameConfirm, 900, 520, {40, 50, 860, 470}},
        {ScreenMode::RunConfirm, 700, 420, {40, 50, 660, 370}},
    };
    for (const Case& c : cases) {
        RECT box = dialogLayout(c.mode, c.w, c.h).box;
        EXPECT_TRUE(EqualRect(&box, &c.box)) << static_cast<int>(c.mode) << " at " << c.w << "x" << c.h << ": "
                                             << box.left << "," << box.top << "," << box.right << "," << box.bottom;
    }
    RECT direct = dialogBoxRect(1920, 1080, 680, 300);
    RECT expected = {620, 360, 1300, 720};
    EXPECT_TRUE(EqualRect(&direct, &expected));
    EXPECT_TRUE(dialogLayout(ScreenMode::MainView, 1920, 1080).rows.empty());
}

TEST_F(Dialogs, DrawnBoxHasItsFillAndFourPixelFrame) {
    const SIZE sizes[] = {{1920, 1080}, {640, 380}};
    for (const SIZE& size : sizes) {
        for (ScreenMode mode : kDialogModes) {
            Canvas canvas(size.cx, size.cy);
            canvas.clear(kOutside);
            drawDialog(canvas.dc(), mode, size.cx, size.cy);
            RECT box = dialogLayout(mode, size.cx, size.cy).box;
            int midY = (box.top + box.bottom) / 2;
            SCOPED_TRACE(testing::Message() << static_cast<int>(mode) << " at " << size.cx << "x" << size.cy);
            EXPECT_EQ(canvas.pixel(box.left - 4, midY), kOutside);
            EXPECT_EQ(runOf(canvas, box.left - 4, midY, kDialogFrame), 4);
            EXPECT_EQ(canvas.pixel(box.left + 6, box.top + 6), kDialogFill);
            EXPECT_EQ(canvas.pixel(box.right + 3, midY), kOutside);
        }
    }
}

TEST_F(Dialogs, FieldsAndButtonsSitOnTheirRows) {
    // y ranges from the box top, as the layout of each screen fixes them.
    struct Band {
        int top, bottom;
    };
    struct Case {
        ScreenMode mode;
        std::vector<Band> fields;
        Band buttons;  // {0, 0}: no buttons
    };
    const Case cases[] = {
        {ScreenMode::CreateFolderInput, {{132, 180}}, {0, 0}},
        {ScreenMode::RenameInput, {{198, 246}}, {0, 0}},
        {ScreenMode::RenameConfirm, {}, {322, 370}},
        {ScreenMode::DeleteConfirm, {{122, 170}}, {244, 292}},
        {ScreenMode::CopyOverwriteConfirm, {{112, 154}, {194, 236}}, {302, 350}},
        {ScreenMode::MoveOverwriteConfirm, {{112, 154}, {194, 236}}, {302, 350}},
        {ScreenMode::RunConfirm, {{122, 170}}, {244, 292}},
    };
    for (const Case& c : cases) {
        Canvas canvas(1920, 1080);
        canvas.clear(kOutside);
        drawDialog(canvas.dc(), c.mode, 1920, 1080);
        RECT box = dialogLayout(c.mode, 1920, 1080).box;
        SCOPED_TRACE(static_cast<int>(c.mode));
        for (const Band& f : c.fields) {
            int mid = box.top + (f.top + f.bottom) / 2;
            // White inside (its right end is free of text), 2-px black outline, 44 px in from the box.
            EXPECT_EQ(canvas.pixel(box.right - 44 - 6, mid), kWhite);
            EXPECT_EQ(runOf(canvas, box.left + 44 - 4, mid, kBlack), 2);
            EXPECT_EQ(canvas.pixel(box.left + 44 - 4, mid), kDialogFill);
            EXPECT_EQ(canvas.pixel(box.right - 60, box.top + f.top - 3), kDialogFill);
            EXPECT_EQ(canvas.pixel(box.right - 60, box.top + f.bottom + 3), kDialogFill);
            EXPECT_EQ(canvas.pixel(box.right - 60, box.top + f.top + 3), kWhite);
            EXPECT_EQ(canvas.pixel(box.right - 60, box.top + f.bottom - 4), kWhite);
        }
        if (c.buttons.bottom == 0) continue;
        // NO is preselected: YES in the button fill with a 2-px frame, NO white with a 4-px frame.
        int yes = box.left + (box.right - box.left - 334) / 2, no = yes + 184;
        int mid = box.top + (c.buttons.top + c.buttons.bottom) / 2;
        EXPECT_EQ(runOf(canvas, yes - 4, mid, kBlack), 2);
        EXPECT_EQ(runOf(canvas, no - 4, mid, kBlack), 4);
        EXPECT_EQ(canvas.pixel(yes + 6, box.top + c.buttons.top + 6), kButtonFill);
        EXPECT_EQ(canvas.pixel(no + 6, box.top + c.buttons.top + 6), kWhite);
        EXPECT_EQ(canvas.pixel(yes + 160, mid), kDialogFill);  // the 34-px gap
        EXPECT_EQ(canvas.pixel(no + 150 + 6, mid), kDialogFill);
        EXPECT_EQ(canvas.pixel(yes + 6, box.top + c.buttons.top - 4), kDialogFill);
        EXPECT_EQ(canvas.pixel(yes + 6, box.top + c.buttons.bottom + 3), kDialogFill);
    }
}

TEST_F(Dialogs, TextRowsHaveTheirBandsInsetsAndFonts) {
    // Negative offsets count from the box bottom (the key hints).
    struct Row {
        int top, bottom;
        DialogFont font;
        bool centred;
    };
    const DialogFont B = DialogFont::Bold, S = DialogFont::Label, H = DialogFont::Hint, N = DialogFont::Normal;
    struct Case {
        ScreenMode mode;
        std::vector<Row> rows;  // every row of the screen in drawing order, buttons included
    };
    const Case cases[] = {
        {ScreenMode::CreateFolderInput, {{24, 70, B, true}, {96, 128, S, false}, {132, 180, N, false},
                                         {-54, -18, H, true}}},
        {ScreenMode::RenameInput, {{24, 70, B, true}, {88, 116, S, false}, {118, 152, H, false}, {166, 194, S, false},
                                   {198, 246, N, false}, {-54, -18, H, true}}},
        {ScreenMode::RenameConfirm, {{22, 68, B, true}, {82, 116, S, false}, {120, 154, S, false}, {178, 212, S, true},
                                     {214, 248, S, true}, {270, 308, B, true}, {322, 370, B, true},
                                     {322, 370, B, true}, {-48, -16, H, true}}},
        {ScreenMode::DeleteConfirm, {{24, 70, B, true}, {88, 118, S, false}, {122, 170, B, false}, {190, 232, B, true},
                                     {244, 292, B, true}, {244, 292, B, true}, {-48, -16, H, true}}},
        {ScreenMode::CopyOverwriteConfirm, {{22, 68, B, true}, {82, 110, S, false}, {112, 154, S, false},
                                            {164, 192, S, false}, {194, 236, S, false}, {252, 290, B, true},
                                            {302, 350, B, true}, {302, 350, B, true}, {-48, -16, H, true}}},
        {ScreenMode::RunConfirm, {{24, 70, B, true}, {88, 118, S, false}, {122, 170, B, false}, {190, 232, B, true},
                                  {244, 292, B, true}, {244, 292, B, true}, {-44, -12, H, true}}},
    };
    for (const Case& c : cases) {
        DialogLayout layout = dialogLayout(c.mode, 1920, 1080);
        const RECT& box = layout.box;
        ASSERT_EQ(layout.rows.size(), c.rows.size()) << static_cast<int>(c.mode);
        for (size_t i = 0; i < c.rows.size(); ++i) {
            const Row& want = c.rows[i];
            const DialogRow& got = layout.rows[i];
            SCOPED_TRACE(testing::Message() << static_cast<int>(c.mode) << " row " << i);
            LONG base = want.top < 0 ? box.bottom : box.top;
            EXPECT_EQ(got.rect.top, base + want.top);
            EXPECT_EQ(got.rect.bottom, base + want.bottom);
            EXPECT_EQ(got.font, want.font);
            bool button = got.part == DialogPart::Button || got.part == DialogPart::SelectedButton;
            if (button) continue;
            EXPECT_EQ(got.flags, want.centred ? kLineCentre : kLineLeftMiddle);
            int inset = want.centred ? 30 : 44;
            EXPECT_EQ(got.rect.left, box.left + inset);
            EXPECT_EQ(got.rect.right, box.right - inset);
        }
    }
}

// One row per language-dependent text: the screen, the row's index and the four variants.
struct TextCase {
    ScreenMode mode;
    size_t row;
    const wchar_t* text[4];
};

const TextCase kTexts[] = {
    {ScreenMode::CreateFolderInput, 0, {L"CREATE FOLDER", L"ORDNER ERSTELLEN", L"CREER DOSSIER", L"CREA CARTELLA"}},
    {ScreenMode::CreateFolderInput, 1, {L"Name:", L"Name:", L"Nom:", L"Nome:"}},
    {ScreenMode::CreateFolderInput, 2, {L"abc_", L"abc_", L"abc_", L"abc_"}},
    {ScreenMode::CreateFolderInput, 3,
     {L"Enter = create   Backspace = delete   ESC = cancel",
      L"Enter = erstellen   Backspace = loeschen   ESC = abbrechen",
      L"Enter = creer   Backspace = effacer   ESC = annuler", L"Enter = crea   Backspace = cancella   ESC = annulla"}},
    {ScreenMode::RenameInput, 0, {L"RENAME", L"UMBENENNEN", L"RENOMMER", L"RINOMINA"}},
    {ScreenMode::RenameInput, 1, {L"Old name:", L"Alter Name:", L"Ancien nom:", L"Vecchio nome:"}},
    {ScreenMode::RenameInput, 2, {L"old.txt", L"old.txt", L"old.txt", L"old.txt"}},
    {ScreenMode::RenameInput, 3, {L"New name:", L"Neuer Name:", L"Nouveau nom:", L"Nuovo nome:"}},
    {ScreenMode::RenameInput, 4, {L"new.txt_", L"new.txt_", L"new.txt_", L"new.txt_"}},
    {ScreenMode::RenameInput, 5,
     {L"Enter = rename   Backspace = delete   ESC = cancel",
      L"Enter = umbenennen   Backspace = loeschen   ESC = abbrechen",
      L"Enter = renommer   Backspace = effacer   ESC = annuler",
      L"Enter = rinomina   Backspace = cancella   ESC = annulla"}},
    {ScreenMode::RenameConfirm, 0,
     {L"CONFIRM RENAME", L"UMBENENNEN BESTAETIGEN", L"CONFIRMER RENOMMAGE", L"CONFERMA RINOMINA"}},
    {ScreenMode::RenameConfirm, 1,
     {L"Old name: old.txt", L"Alter Name: old.txt", L"Ancien nom: old.txt", L"Vecchio nome: old.txt"}},
    {ScreenMode::RenameConfirm, 2,
     {L"New name: new.txt", L"Neuer Name: new.txt", L"Nouveau nom: new.txt", L"Nuovo nome: new.txt"}},
    {ScreenMode::RenameConfirm, 3,
     {L"Warning: Renaming files or folders can break programs,",
      L"Achtung: Durch das Umbenennen von Dateien oder Ordnern",
      L"Attention: renommer des fichiers ou dossiers peut casser",
      L"Attenzione: rinominare file o cartelle puo impedire"}},
    {ScreenMode::RenameConfirm, 4,
     {L"shortcuts, project references or installed applications.",
      L"funktionieren Programme, Verknuepfungen oder Projektverweise eventuell nicht mehr.",
      L"des programmes, raccourcis ou references de projet.",
      L"il funzionamento di programmi, collegamenti o riferimenti progetto."}},
    {ScreenMode::RenameConfirm, 5,
     {L"Rename anyway?", L"Trotzdem umbenennen?", L"Renommer quand meme?", L"Rinominare comunque?"}},
    {ScreenMode::DeleteConfirm, 2, {L"report.txt", L"report.txt", L"report.txt", L"report.txt"}},
    {ScreenMode::DeleteConfirm, 3, {L"Are you sure?", L"Bist du sicher?", L"Etes-vous sur?", L"Sei sicuro?"}},
    {ScreenMode::CopyOverwriteConfirm, 0,
     {L"OVERWRITE FILE", L"DATEI UEBERSCHREIBEN", L"REMPLACER FICHIER", L"SOVRASCRIVI FILE"}},
    {ScreenMode::CopyOverwriteConfirm, 1, {L"File:", L"Datei:", L"Fichier:", L"File:"}},
    {ScreenMode::CopyOverwriteConfirm, 2, {L"copy.bin", L"copy.bin", L"copy.bin", L"copy.bin"}},
    {ScreenMode::CopyOverwriteConfirm, 3, {L"Target:", L"Ziel:", L"Cible:", L"Destinazione:"}},
    {ScreenMode::CopyOverwriteConfirm, 4, {L"C:\\copy-target", L"C:\\copy-target", L"C:\\copy-target",
                                           L"C:\\copy-target"}},
    {ScreenMode::CopyOverwriteConfirm, 5,
     {L"File already exists. Overwrite?", L"Datei existiert bereits. Ueberschreiben?",
      L"Le fichier existe deja. Remplacer?", L"Il file esiste gia. Sovrascrivere?"}},
    {ScreenMode::MoveOverwriteConfirm, 2, {L"move.bin", L"move.bin", L"move.bin", L"move.bin"}},
    {ScreenMode::MoveOverwriteConfirm, 4, {L"C:\\move-target", L"C:\\move-target", L"C:\\move-target",
                                           L"C:\\move-target"}},
    {ScreenMode::RunConfirm, 0, {L"RUN PROGRAM", L"PROGRAMM STARTEN", L"LANCER PROGRAMME", L"AVVIA PROGRAMMA"}},
    {ScreenMode::RunConfirm, 1, {L"File:", L"Datei:", L"Fichier:", L"File:"}},
    {ScreenMode::RunConfirm, 2, {L"setup.exe", L"setup.exe", L"setup.exe", L"setup.exe"}},
    {ScreenMode::RunConfirm, 3, {L"Are you sure?", L"Bist du sicher?", L"Etes-vous sur?", L"Sei sicuro?"}},
};

// The rows every confirmation shares, given from its end: YES, NO, hint.
const wchar_t* const kYes[] = {L"YES", L"JA", L"OUI", L"SI"};
const wchar_t* const kNo[] = {L"NO", L"NEIN", L"NON", L"NO"};
const wchar_t* const kChoiceHint[] = {L"Left/right = YES/NO   Enter = confirm   ESC = cancel",
                                      L"Links/rechts = JA/NEIN   Enter = bestaetigen   ESC = abbrechen",
                                      L"Gauche/droite = OUI/NON   Enter = confirmer   ESC = annuler",
                                      L"Sinistra/destra = SI/NO   Enter = conferma   ESC = annulla"};

TEST_F(Dialogs, EveryTextInAllFourLanguages) {
    for (int lang = 0; lang < 4; ++lang) {
        appSettings.language = lang;
        for (const TextCase& c : kTexts) {
            DialogLayout layout = dialogLayout(c.mode, 1920, 1080);
            ASSERT_LT(c.row, layout.rows.size());
            EXPECT_EQ(layout.rows[c.row].text, c.text[lang]) << static_cast<int>(c.mode) << " row " << c.row
                                                             << " language " << lang;
        }
        for (ScreenMode mode : kDialogModes) {
            if (mode == ScreenMode::CreateFolderInput || mode == ScreenMode::RenameInput) continue;
            DialogLayout layout = dialogLayout(mode, 1920, 1080);
            size_t n = layout.rows.size();
            EXPECT_EQ(layout.rows[n - 3].text, kYes[lang]) << static_cast<int>(mode);
            EXPECT_EQ(layout.rows[n - 2].text, kNo[lang]) << static_cast<int>(mode);
            EXPECT_EQ(layout.rows[n - 1].text, kChoiceHint[lang]) << static_cast<int>(mode);
        }
    }
}

TEST_F(Dialogs, DeleteTitleAndLabelFollowTheKind) {
    struct Case {
        int32_t kind;
        const wchar_t* title[4];
        const wchar_t* label[4];
    };
    const Case cases[] = {
        {1, {L"DELETE FILE", L"DATEI LOESCHEN", L"EFFACER FICHIER", L"ELIMINA FILE"},
         {L"File:", L"Datei:", L"Fichier:", L"File:"}},
        {2, {L"DELETE FOLDER", L"ORDNER LOESCHEN", L"EFFACER DOSSIER", L"ELIMINA CARTELLA"},
         {L"Folder:", L"Ordner:", L"Dossier:", L"Cartella:"}},
        {3, {L"DELETE ITEMS", L"ELEMENTE LOESCHEN", L"EFFACER ELEMENTS", L"ELIMINA ELEMENTI"},
         {L"Items:", L"Elemente:", L"Elements:", L"Elementi:"}},
        {0, {L"DELETE FILE", L"DATEI LOESCHEN", L"EFFACER FICHIER", L"ELIMINA FILE"},  // any other kind: file
         {L"File:", L"Datei:", L"Fichier:", L"File:"}},
        {7, {L"DELETE FILE", L"DATEI LOESCHEN", L"EFFACER FICHIER", L"ELIMINA FILE"},
         {L"File:", L"Datei:", L"Fichier:", L"File:"}},
    };
    for (const Case& c : cases) {
        dialogTexts.deleteKind = c.kind;
        for (int lang = 0; lang < 4; ++lang) {
            appSettings.language = lang;
            DialogLayout layout = dialogLayout(ScreenMode::DeleteConfirm, 1920, 1080);
            EXPECT_EQ(layout.rows[0].text, c.title[lang]) << c.kind << " " << lang;
            EXPECT_EQ(layout.rows[1].text, c.label[lang]) << c.kind << " " << lang;
        }
    }
}

TEST_F(Dialogs, EmptyInputShowsOnlyTheCursorMarkAndLongNamesStayWhole) {
    folderNameInput.clear();
    EXPECT_EQ(dialogLayout(ScreenMode::CreateFolderInput, 1920, 1080).rows[2].text, L"_");
    renameInput.assign(120, L'x');
    EXPECT_EQ(dialogLayout(ScreenMode::RenameInput, 640, 400).rows[4].text, renameInput + L"_");
}

TEST_F(Dialogs, ConfirmationsOpenOnNoAndOneToggleSelectsYes) {
    struct Case {
        ScreenMode mode;
        int32_t* choice;
    };
    const Case cases[] = {
        {ScreenMode::RenameConfirm, &renameChoice},
        {ScreenMode::DeleteConfirm, &deleteChoice},
        {ScreenMode::CopyOverwriteConfirm, &copyOverwriteChoice},
        {ScreenMode::MoveOverwriteConfirm, &moveOverwriteChoice},
        {ScreenMode::RunConfirm, &runChoice},
    };
    auto parts = [](ScreenMode mode) {
        DialogLayout layout = dialogLayout(mode, 1920, 1080);
        size_t n = layout.rows.size();
        return std::make_pair(layout.rows[n - 3].part, layout.rows[n - 2].part);
    };
    auto nothing = [](HWND) {};
    for (const Case& c : cases) {
        EXPECT_EQ(parts(c.mode), std::make_pair(DialogPart::Button, DialogPart::SelectedButton));
        confirmationKey(nullptr, VK_RIGHT, *c.choice, nothing, nothing);
        EXPECT_EQ(parts(c.mode), std::make_pair(DialogPart::SelectedButton, DialogPart::Button));
        // Each screen reads its own flag only.
        for (const Case& other : cases) {
            if (other.mode != c.mode) {
                EXPECT_EQ(*other.choice, 1);
            }
        }
        *c.choice = 1;
    }
}

TEST_F(Dialogs, SelectedButtonIsWhiteWithFourPixelFrame) {
    Canvas canvas(400, 200);
    canvas.clear(kOutside);
    drawDialogButton(canvas.dc(), rectOf(20, 20, 170, 68), L"YES", true);
    drawDialogButton(canvas.dc(), rectOf(204, 20, 354, 68), L"NO", false);
    EXPECT_EQ(runOf(canvas, 16, 44, kBlack), 4);
    EXPECT_EQ(runOf(canvas, 200, 44, kBlack), 2);
    EXPECT_EQ(canvas.pixel(26, 26), kWhite);
    EXPECT_EQ(canvas.pixel(210, 26), kButtonFill);
}

TEST_F(Dialogs, BackspaceRepaintsOnlyWhenSomethingIsRemoved) {
    // Visible (a hidden window collects no update region) but off the screen, so no expose from the
    // display can invalidate it between the steps.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, -4000, -4000, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    auto pendingPaint = [&] { return GetUpdateRect(window, nullptr, FALSE) != FALSE; };

    std::wstring input = L"ab";
    ValidateRect(window, nullptr);
    inputBackspace(window, input);
    EXPECT_EQ(input, L"a");
    EXPECT_TRUE(pendingPaint());

    ValidateRect(window, nullptr);
    inputBackspace(window, input);
    EXPECT_EQ(input, L"");
    EXPECT_TRUE(pendingPaint());

    ValidateRect(window, nullptr);
    inputBackspace(window, input);
    EXPECT_EQ(input, L"");
    EXPECT_FALSE(pendingPaint());
    DestroyWindow(window);
}

}  // namespace
