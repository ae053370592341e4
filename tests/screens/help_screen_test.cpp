// The help screen: its 24 rows and messages in all four languages, its keys, and the box, table and
// row bands drawn into a DIB section.
#include <gtest/gtest.h>

#include <string>

#include "app/draw.h"
#include "app/main_view.h"
#include "app/state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "screens/help.h"
#include "settings/settings.h"

namespace {

struct Four {
    const wchar_t* text[4];  // English, German, French, Italian
};

const Four kDescriptions[20] = {
    {{L"Show this help window.", L"Dieses Hilfefenster anzeigen.", L"Afficher cette fenetre d'aide.",
      L"Mostra questa finestra di aiuto."}},
    {{L"Rename selected file or folder.", L"Datei oder Ordner umbenennen.",
      L"Renommer le fichier ou dossier selectionne.", L"Rinomina il file o la cartella selezionata."}},
    {{L"View the selected text or source file.", L"Markierte Text- oder Quellcodedatei anzeigen.",
      L"Afficher le fichier texte ou source selectionne.", L"Mostra il file testo o sorgente selezionato."}},
    {{L"Edit the selected text or source file.", L"Datei mit dem Editor bearbeiten.",
      L"Editer le fichier texte ou source selectionne.", L"Modifica il file testo o sorgente selezionato."}},
    {{L"Copy selected file or folder to the opposite panel.", L"Datei oder Ordner in das andere Panel kopieren.",
      L"Copier fichier ou dossier vers l'autre panneau.", L"Copia file o cartella nell'altro pannello."}},
    {{L"Move selected file or folder to the opposite panel.", L"Datei oder Ordner in das andere Panel verschieben.",
      L"Deplacer fichier ou dossier vers l'autre panneau.", L"Sposta file o cartella nell'altro pannello."}},
    {{L"Create a new folder in the active panel.", L"Neuen Ordner im aktiven Panel erstellen.",
      L"Creer un dossier dans le panneau actif.", L"Crea una cartella nel pannello attivo."}},
    {{L"Delete selected file or folder after confirmation.", L"Datei oder Ordner nach Sicherheitsabfrage loeschen.",
      L"Effacer fichier ou dossier apres confirmation.", L"Elimina file o cartella dopo conferma."}},
    {{L"Open drive selection for the active panel.", L"Laufwerksauswahl fuer das aktive Panel oeffnen.",
      L"Ouvrir le choix du lecteur pour le panneau actif.", L"Apre la scelta drive per il pannello attivo."}},
    {{L"Exit the program.", L"Programm beenden.", L"Quitter le programme.", L"Esce dal programma."}},
    {{L"Settings for language, colors and font.", L"Einstellungen fuer Sprache, Farben und Schrift.",
      L"Reglages langue, couleurs et police.", L"Opzioni lingua, colori e carattere."}},
    {{L"Show program information.", L"Programminformation anzeigen.", L"Afficher les informations du programme.",
      L"Mostra informazioni programma."}},
    {{L"Switch active panel left/right.", L"Aktives Panel links/rechts wechseln.",
      L"Changer le panneau actif gauche/droite.", L"Cambia pannello attivo sinistra/destra."}},
    {{L"Move selection in the active panel.", L"Auswahl im aktiven Panel bewegen.",
      L"Deplacer la selection dans le panneau actif.", L"Muove la selezione nel pannello attivo."}},
    {{L"Select a function button at the bottom.", L"Funktionstaste unten auswaehlen.",
      L"Choisir une touche de fonction en bas.", L"Seleziona un tasto funzione in basso."}},
    {{L"Open folder or open/start file with Windows.", L"Ordner oeffnen oder Datei mit Windows oeffnen/starten.",
      L"Ouvrir dossier ou fichier avec Windows.", L"Apre cartella o file con Windows."}},
    {{L"Go one folder level up.", L"Eine Ordnerebene nach oben.", L"Remonter d'un niveau de dossier.",
      L"Torna a una cartella superiore."}},
    {{L"Mark or unmark a file/folder.", L"Datei/Ordner markieren oder Markierung entfernen.",
      L"Marquer ou retirer le marquage d'un fichier/dossier.", L"Marca o rimuove la marcatura di file/cartelle."}},
    {{L"Mark multiple items while moving.", L"Beim Bewegen Elemente untereinander markieren.",
      L"Marquer plusieurs elements en se deplacant.", L"Marca piu elementi mentre si muove."}},
    {{L"Clear all marked items. Exit with F10.", L"Alle Markierungen loeschen. Beenden mit F10.",
      L"Effacer tous les marquages. Quitter avec F10.", L"Rimuove tutte le marcature. Esce con F10."}},
};

// Rows 12..23: key names, and the file types of rows 20..23, the same in every language.
const struct {
    const wchar_t* key;
    const wchar_t* description;  // null: from the table above
} kFixedRows[12] = {
    {L"TAB", nullptr},
    {L"UP / DOWN", nullptr},
    {L"LEFT / RIGHT", nullptr},
    {L"ENTER", nullptr},
    {L"BACKSPACE", nullptr},
    {L"SPACE", nullptr},
    {L"CTRL + UP/DOWN", nullptr},
    {L"ESC", nullptr},
    {L"SUPPORTED FILES:", L".txt .md .log .ini .cfg .conf .csv"},
    {L"", L".cpp .c .h .hpp .asm .bat .cmd .ps1"},
    {L"", L".php .html .htm .xml .css .js .json"},
    {L"", L".sln .vcxproj .vcxproj.filters .props .targets .cs .csproj .vb .py .java .sql .yml .yaml"},
};

const wchar_t* const kEnglishFunctionKeys[12] = {
    L"[F1] HELP", L"[F2] RENAME", L"[F3] VIEW",   L"[F4] EDIT",      L"[F5] COPY",      L"[F6] MOVE",
    L"[F7] FOLDER", L"[F8] DELETE", L"[F9] MENU", L"[F10] EXIT", L"[F11] SETTINGS", L"[F12] INFO",
};

const COLORREF kCanvasColor = RGB(1, 2, 3);
const COLORREF kTableFill = RGB(0xD2, 0xD2, 0xD2);

class HelpScreen : public ::testing::Test {
protected:
    void SetUp() override {
        appSettings = AppSettings{};
        appSettings.panelBorder = 3;  // cyan: the frame differs from every fill
        applyColorScheme();
        applyTextColor();
        applyFontSize();
        createFonts();
        screenMode = ScreenMode::MainView;
        statusLine.clear();
    }
    void TearDown() override { deleteFonts(); }
};

TEST_F(HelpScreen, EveryRowInEveryLanguage) {
    for (int language = 0; language < 4; ++language) {
        SCOPED_TRACE(language);
        appSettings.language = language;
        for (int row = 0; row < 12; ++row) {
            std::wstring key = helpKeyText(row);
            EXPECT_EQ(key.rfind(L"[F" + std::to_wstring(row + 1) + L"] ", 0), 0u) << row;
            EXPECT_EQ(key, functionLabel(row)) << "the function-key bar's name in the current language";
            if (language == 0) {
                EXPECT_EQ(key, kEnglishFunctionKeys[row]);
            }
        }
        for (int row = 0; row < kHelpRowCount; ++row) {
            const wchar_t* expected = row < 20 ? kDescriptions[row].text[language] : kFixedRows[row - 12].description;
            EXPECT_EQ(helpDescription(row), expected) << row;
            if (row >= 12) {
                EXPECT_EQ(helpKeyText(row), kFixedRows[row - 12].key) << row;
            }
        }
        EXPECT_EQ(helpKeyText(24), L"");
        EXPECT_EQ(helpDescription(-1), L"");
    }
}

TEST_F(HelpScreen, TitleHintAndMessagesInEveryLanguage) {
    const struct {
        std::wstring (*produce)();
        Four expected;
    } cases[] = {
        {helpTitle,
         {{L"TORVANE COMMANDER - HELP", L"TORVANE COMMANDER - HILFE", L"TORVANE COMMANDER - AIDE",
           L"TORVANE COMMANDER - AIUTO"}}},
        {helpHint, {{L"ESC = back", L"ESC = zurueck", L"ESC = retour", L"ESC = indietro"}}},
        {[] {
             openHelp(nullptr);
             return statusLine;
         },
         {{L"F1 Help opened. ESC closes the window.", L"F1 Hilfe geoeffnet. ESC schliesst das Fenster.",
           L"F1 Aide ouverte. ESC ferme la fenetre.", L"F1 Aiuto aperto. ESC chiude la finestra."}}},
        {[] {
             closeHelp(nullptr);
             return statusLine;
         },
         {{L"Help closed.", L"Hilfe geschlossen.", L"Aide fermee.", L"Aiuto chiuso."}}},
    };
    for (int language = 0; language < 4; ++language) {
        appSettings.language = language;
        for (const auto& c : cases) EXPECT_EQ(c.produce(), c.expected.text[language]) << language;
    }
}

TEST_F(HelpScreen, EscAndF1CloseOtherKeysDoNothing) {
    for (UINT closing : {UINT(VK_ESCAPE), UINT(VK_F1)}) {
        openHelp(nullptr);
        EXPECT_EQ(screenMode, ScreenMode::Help);
        for (UINT key : {UINT(VK_F12), UINT(VK_F11), UINT(VK_RETURN), UINT(VK_DOWN), UINT('Q')}) {
            helpKey(nullptr, key);
            EXPECT_EQ(screenMode, ScreenMode::Help) << key;
            EXPECT_EQ(statusLine, L"F1 Help opened. ESC closes the window.") << key;
        }
        helpKey(nullptr, closing);
        EXPECT_EQ(screenMode, ScreenMode::MainView);
        EXPECT_EQ(statusLine, L"Help closed.");
    }
}

TEST_F(HelpScreen, BoxTableAndRowBands) {
    const struct {
        int width, height;
        RECT box;
        int rowHeight;
        bool rowsReachTableBottom, rowsReachBoxBottom;
    } sizes[] = {
        {1920, 1080, {240, 135, 1680, 945}, 27, false, false},  // three quarters; the table is 676 high
        {1024, 768, {102, 74, 922, 694}, 20, true, false},      // the minimum 820 x 620: 19 raised to 20
        {800, 600, {40, 50, 760, 550}, 20, true, true},         // below the minimum: rows run past the table
        {2560, 2000, {320, 250, 2240, 1750}, 34, false, false}, // a tall table: rows capped at 34
    };
    for (const auto& s : sizes) {
        SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height));
        Canvas canvas(s.width, s.height);
        canvas.clear(kCanvasColor);
        drawHelpScreen(canvas.dc(), s.width, s.height);
        expectBox(canvas, s.box, 4, RGB(0, 0xFF, 0xFF), theme.dialogBackground, kCanvasColor, !s.rowsReachBoxBottom);
        RECT table = {s.box.left + 34, s.box.top + 78, s.box.right - 34, s.box.bottom - 56};
        expectBox(canvas, table, 2, kBlack, kTableFill, theme.dialogBackground, !s.rowsReachTableBottom);

        for (int row = 0; row < kHelpRowCount; ++row) {
            int top = table.top + 6 + row * s.rowHeight;
            int bottom = top + s.rowHeight - 2;
            if (bottom >= s.height) break;
            COLORREF band = row % 2 == 0 ? RGB(0xE0, 0xE0, 0xE0) : RGB(0xC8, 0xC8, 0xC8);
            int left = table.left + 6, right = table.right - 6;
            EXPECT_EQ(canvas.pixel(left + 4, top), band) << row;
            EXPECT_EQ(canvas.pixel(left + 4, bottom - 1), band) << row;
            if (bottom <= table.bottom) {
                EXPECT_EQ(canvas.pixel(left - 1, top + 2), kTableFill) << row;
            }
            EXPECT_EQ(canvas.pixel(left, top + 2), band) << row;
            EXPECT_EQ(canvas.pixel(right - 1, top + 2), band) << row;
            if (bottom < table.bottom - 2) {
                EXPECT_EQ(canvas.pixel(left + 4, bottom), kTableFill) << row;
            }
            // The divider between key and description, 4 pixels short of the band's ends.
            EXPECT_EQ(canvas.pixel(left + 190, top + 3), band) << row;
            EXPECT_EQ(canvas.pixel(left + 190, top + 4), kBlack) << row;
            EXPECT_EQ(canvas.pixel(left + 190, bottom - 5), kBlack) << row;
            EXPECT_EQ(canvas.pixel(left + 190, bottom - 4), band) << row;
            EXPECT_EQ(canvas.pixel(left + 191, (top + bottom) / 2), band) << row;
        }
    }
}

}  // namespace
