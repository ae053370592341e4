#include "screens/dialogs.h"

#include <algorithm>

#include "settings/language.h"
#include "settings/settings.h"
#include "ui/draw.h"

namespace {

const LocalizedText kCreateFolderTitle = {L"CREATE FOLDER", L"ORDNER ERSTELLEN", L"CREER DOSSIER", L"CREA CARTELLA"};
const LocalizedText kNameLabel = {L"Name:", L"Name:", L"Nom:", L"Nome:"};
const LocalizedText kCreateFolderHint = {L"Enter = create   Backspace = delete   ESC = cancel",
                                         L"Enter = erstellen   Backspace = loeschen   ESC = abbrechen",
                                         L"Enter = creer   Backspace = effacer   ESC = annuler",
                                         L"Enter = crea   Backspace = cancella   ESC = annulla"};
const LocalizedText kRenameTitle = {L"RENAME", L"UMBENENNEN", L"RENOMMER", L"RINOMINA"};
const LocalizedText kOldNameLabel = {L"Old name:", L"Alter Name:", L"Ancien nom:", L"Vecchio nome:"};
const LocalizedText kNewNameLabel = {L"New name:", L"Neuer Name:", L"Nouveau nom:", L"Nuovo nome:"};
const LocalizedText kRenameHint = {L"Enter = rename   Backspace = delete   ESC = cancel",
                                   L"Enter = umbenennen   Backspace = loeschen   ESC = abbrechen",
                                   L"Enter = renommer   Backspace = effacer   ESC = annuler",
                                   L"Enter = rinomina   Backspace = cancella   ESC = annulla"};
const LocalizedText kRenameConfirmTitle = {L"CONFIRM RENAME", L"UMBENENNEN BESTAETIGEN", L"CONFIRMER RENOMMAGE",
                                           L"CONFERMA RINOMINA"};
const LocalizedText kRenameWarning1 = {L"Warning: Renaming files or folders can break programs,",
                                       L"Achtung: Durch das Umbenennen von Dateien oder Ordnern",
                                       L"Attention: renommer des fichiers ou dossiers peut casser",
                                       L"Attenzione: rinominare file o cartelle puo impedire"};
const LocalizedText kRenameWarning2 = {
    L"shortcuts, project references or installed applications.",
    L"funktionieren Programme, Verknuepfungen oder Projektverweise eventuell nicht mehr.",
    L"des programmes, raccourcis ou references de projet.",
    L"il funzionamento di programmi, collegamenti o riferimenti progetto."};
const LocalizedText kRenameQuestion = {L"Rename anyway?", L"Trotzdem umbenennen?", L"Renommer quand meme?",
                                       L"Rinominare comunque?"};
const LocalizedText kSureQuestion = {L"Are you sure?", L"Bist du sicher?", L"Etes-vous sur?", L"Sei sicuro?"};
const LocalizedText kOverwriteTitle = {L"OVERWRITE FILE", L"DATEI UEBERSCHREIBEN", L"REMPLACER FICHIER",
                                       L"SOVRASCRIVI FILE"};
const LocalizedText kFileLabel = {L"File:", L"Datei:", L"Fichier:", L"File:"};
const LocalizedText kTargetLabel = {L"Target:", L"Ziel:", L"Cible:", L"Destinazione:"};
const LocalizedText kOverwriteQuestion = {L"File already exists. Overwrite?",
                                          L"Datei existiert bereits. Ueberschreiben?",
                                          L"Le fichier existe deja. Remplacer?",
                                          L"Il file esiste gia. Sovrascrivere?"};
const LocalizedText kRunTitle = {L"RUN PROGRAM", L"PROGRAMM STARTEN", L"LANCER PROGRAMME", L"AVVIA PROGRAMMA"};
const LocalizedText kYes = {L"YES", L"JA", L"OUI", L"SI"};
const LocalizedText kNo = {L"NO", L"NEIN", L"NON", L"NO"};
const LocalizedText kChoiceHint = {L"Left/right = YES/NO   Enter = confirm   ESC = cancel",
                                   L"Links/rechts = JA/NEIN   Enter = bestaetigen   ESC = abbrechen",
                                   L"Gauche/droite = OUI/NON   Enter = confirmer   ESC = annuler",
                                   L"Sinistra/destra = SI/NO   Enter = conferma   ESC = annulla"};

// Delete texts by kind: file, folder, marked items.
const LocalizedText kDeleteTitles[] = {
    {L"DELETE FILE", L"DATEI LOESCHEN", L"EFFACER FICHIER", L"ELIMINA FILE"},
    {L"DELETE FOLDER", L"ORDNER LOESCHEN", L"EFFACER DOSSIER", L"ELIMINA CARTELLA"},
    {L"DELETE ITEMS", L"ELEMENTE LOESCHEN", L"EFFACER ELEMENTS", L"ELIMINA ELEMENTI"},
};
const LocalizedText kDeleteLabels[] = {
    {L"File:", L"Datei:", L"Fichier:", L"File:"},
    {L"Folder:", L"Ordner:", L"Dossier:", L"Cartella:"},
    {L"Items:", L"Elemente:", L"Elements:", L"Elementi:"},
};

// Kind 2 is a folder, 3 marked items; everything else reads as a file.
int deleteRow(int32_t kind) {
    return kind == 2 ? 1 : (kind == 3 ? 2 : 0);
}

constexpr int kTextInset = 30;   // titles, questions, hints
constexpr int kLabelInset = 44;  // labels and fields
constexpr int kFieldPadding = 12;
constexpr int kButtonWidth = 150, kButtonGap = 34;

// Adds rows at offsets from the box top (or bottom, for the hints), reading like the layout table.
struct RowBuilder {
    DialogLayout layout;

    int top(int offset) const { return layout.box.top + offset; }
    void add(DialogPart part, RECT rect, const std::wstring& text, DialogFont font, UINT flags) {
        layout.rows.push_back({part, rect, text, font, flags});
    }
    RECT span(int inset, int y0, int y1) const {
        return rectOf(layout.box.left + inset, top(y0), layout.box.right - inset, top(y1));
    }
    void centred(int y0, int y1, const std::wstring& text, DialogFont font) {
        add(DialogPart::Text, span(kTextInset, y0, y1), text, font, kLineCentre);
    }
    void label(int y0, int y1, const std::wstring& text, DialogFont font) {
        add(DialogPart::Text, span(kLabelInset, y0, y1), text, font, kLineLeftMiddle);
    }
    void field(int y0, int y1, const std::wstring& text, DialogFont font) {
        add(DialogPart::Field, span(kLabelInset, y0, y1), text, font, kLineLeftMiddle);
    }
    // Key hint, `fromBottom0` and `fromBottom1` pixels above the box bottom.
    void hint(int fromBottom0, int fromBottom1, const std::wstring& text) {
        const RECT& b = layout.box;
        RECT rect = rectOf(b.left + kTextInset, b.bottom - fromBottom0, b.right - kTextInset, b.bottom - fromBottom1);
        add(DialogPart::Text, rect, text, DialogFont::Hint, kLineCentre);
    }
    // YES and NO, 150 x (y1 - y0) each, 34 apart, the pair centred; choice 0 selects YES.
    void buttons(int y0, int y1, int32_t choice) {
        const RECT& b = layout.box;
        int x = b.left + (b.right - b.left - (2 * kButtonWidth + kButtonGap)) / 2;
        int nx = x + kButtonWidth + kButtonGap;
        add(choice == 0 ? DialogPart::SelectedButton : DialogPart::Button,
            rectOf(x, top(y0), x + kButtonWidth, top(y1)), localize(kYes), DialogFont::Bold, kLineCentre);
        add(choice == 1 ? DialogPart::SelectedButton : DialogPart::Button,
            rectOf(nx, top(y0), nx + kButtonWidth, top(y1)), localize(kNo), DialogFont::Bold, kLineCentre);
    }
};

RowBuilder builder(int w, int h, int minWidth, int minHeight) {
    RowBuilder b;
    b.layout.box = dialogBoxRect(w, h, minWidth, minHeight);
    return b;
}

DialogLayout createFolderLayout(int w, int h) {
    RowBuilder b = builder(w, h, 680, 300);
    b.centred(24, 70, localize(kCreateFolderTitle), DialogFont::Bold);
    b.label(96, 128, localize(kNameLabel), DialogFont::Label);
    b.field(132, 180, folderNameInput + L"_", DialogFont::Normal);
    b.hint(54, 18, localize(kCreateFolderHint));
    return b.layout;
}

DialogLayout renameInputLayout(int w, int h) {
    RowBuilder b = builder(w, h, 760, 360);
    b.centred(24, 70, localize(kRenameTitle), DialogFont::Bold);
    b.label(88, 116, localize(kOldNameLabel), DialogFont::Label);
    b.label(118, 152, renameOldName(), DialogFont::Hint);
    b.label(166, 194, localize(kNewNameLabel), DialogFont::Label);
    b.field(198, 246, renameInput + L"_", DialogFont::Normal);
    b.hint(54, 18, localize(kRenameHint));
    return b.layout;
}

DialogLayout renameConfirmLayout(int w, int h) {
    RowBuilder b = builder(w, h, 820, 460);
    b.centred(22, 68, localize(kRenameConfirmTitle), DialogFont::Bold);
    b.label(82, 116, localize(kOldNameLabel) + L" " + renameOldName(), DialogFont::Label);
    b.label(120, 154, localize(kNewNameLabel) + L" " + renameInput, DialogFont::Label);
    b.centred(178, 212, localize(kRenameWarning1), DialogFont::Label);
    b.centred(214, 248, localize(kRenameWarning2), DialogFont::Label);
    b.centred(270, 308, localize(kRenameQuestion), DialogFont::Bold);
    b.buttons(322, 370, renameChoice);
    b.hint(48, 16, localize(kChoiceHint));
    return b.layout;
}

DialogLayout deleteConfirmLayout(int w, int h) {
    RowBuilder b = builder(w, h, 720, 380);
    int row = deleteRow(deleteKind());
    b.centred(24, 70, localize(kDeleteTitles[row]), DialogFont::Bold);
    b.label(88, 118, localize(kDeleteLabels[row]), DialogFont::Label);
    b.field(122, 170, deleteDisplayText(), DialogFont::Bold);
    b.centred(190, 232, localize(kSureQuestion), DialogFont::Bold);
    b.buttons(244, 292, deleteChoice);
    b.hint(48, 16, localize(kChoiceHint));
    return b.layout;
}

DialogLayout overwriteLayout(int w, int h, bool move) {
    RowBuilder b = builder(w, h, 760, 430);
    b.centred(22, 68, localize(kOverwriteTitle), DialogFont::Bold);
    b.label(82, 110, localize(kFileLabel), DialogFont::Label);
    b.field(112, 154, overwriteFileText(move), DialogFont::Label);
    b.label(164, 192, localize(kTargetLabel), DialogFont::Label);
    b.field(194, 236, overwriteTargetText(move), DialogFont::Label);
    b.centred(252, 290, localize(kOverwriteQuestion), DialogFont::Bold);
    b.buttons(302, 350, move ? moveOverwriteChoice : copyOverwriteChoice);
    b.hint(48, 16, localize(kChoiceHint));
    return b.layout;
}

DialogLayout runConfirmLayout(int w, int h) {
    RowBuilder b = builder(w, h, 720, 350);
    b.centred(24, 70, localize(kRunTitle), DialogFont::Bold);
    b.label(88, 118, localize(kFileLabel), DialogFont::Label);
    b.field(122, 170, runProgramName(), DialogFont::Bold);
    b.centred(190, 232, localize(kSureQuestion), DialogFont::Bold);
    b.buttons(244, 292, runChoice);
    b.hint(44, 12, localize(kChoiceHint));
    return b.layout;
}

HFONT fontFor(DialogFont font) {
    switch (font) {
    case DialogFont::Bold: return pickFont(true, false);
    case DialogFont::Label: return pickFont(true, true);
    case DialogFont::Hint: return pickFont(false, true);
    default: return normalFont;
    }
}

void drawDialogFrame(HDC dc, const RECT& box) {
    drawBox(dc, box, theme.dialogBackground, theme.dialogFrame, 4);
}

}  // namespace

RECT dialogBoxRect(int w, int h, int minWidth, int minHeight) {
    int width = std::min(std::max(w / 3, minWidth), w - 80);
    int height = std::min(std::max(h / 3, minHeight), h - 100);
    int left = (w - width) / 2, top = (h - height) / 2;
    return rectOf(left, top, left + width, top + height);
}

RECT dialogBox(HDC dc, int w, int h, int minWidth, int minHeight) {
    RECT box = dialogBoxRect(w, h, minWidth, minHeight);
    drawDialogFrame(dc, box);
    return box;
}

DialogLayout dialogLayout(ScreenMode mode, int w, int h) {
    switch (mode) {
    case ScreenMode::CreateFolderInput: return createFolderLayout(w, h);
    case ScreenMode::RenameInput: return renameInputLayout(w, h);
    case ScreenMode::RenameConfirm: return renameConfirmLayout(w, h);
    case ScreenMode::DeleteConfirm: return deleteConfirmLayout(w, h);
    case ScreenMode::CopyOverwriteConfirm: return overwriteLayout(w, h, false);
    case ScreenMode::MoveOverwriteConfirm: return overwriteLayout(w, h, true);
    case ScreenMode::RunConfirm: return runConfirmLayout(w, h);
    default: return DialogLayout{rectOf(0, 0, 0, 0), {}};
    }
}

void drawDialogLayout(HDC dc, const DialogLayout& layout) {
    if (layout.rows.empty()) return;
    drawDialogFrame(dc, layout.box);
    for (const DialogRow& row : layout.rows) {
        switch (row.part) {
        case DialogPart::Field: {
            drawBox(dc, row.rect, kWhite, kBlack, 2);
            RECT inner = row.rect;
            InflateRect(&inner, -kFieldPadding, 0);
            drawTextInFont(dc, inner, row.text, kBlack, fontFor(row.font), row.flags);
            break;
        }
        case DialogPart::Button:
        case DialogPart::SelectedButton:
            drawDialogButton(dc, row.rect, row.text, row.part == DialogPart::SelectedButton);
            break;
        default:
            drawTextInFont(dc, row.rect, row.text, kBlack, fontFor(row.font), row.flags);
            break;
        }
    }
}

void drawCreateFolderInput(HDC dc, int w, int h) {
    drawDialogLayout(dc, createFolderLayout(w, h));
}

void drawRenameInput(HDC dc, int w, int h) {
    drawDialogLayout(dc, renameInputLayout(w, h));
}

void drawRenameConfirm(HDC dc, int w, int h) {
    drawDialogLayout(dc, renameConfirmLayout(w, h));
}

void drawDeleteConfirm(HDC dc, int w, int h) {
    drawDialogLayout(dc, deleteConfirmLayout(w, h));
}

void drawOverwriteConfirm(HDC dc, int w, int h, bool move) {
    drawDialogLayout(dc, overwriteLayout(w, h, move));
}

void drawRunConfirm(HDC dc, int w, int h) {
    drawDialogLayout(dc, runConfirmLayout(w, h));
}
