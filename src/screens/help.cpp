#include "screens/help.h"

#include <algorithm>

#include "settings/language.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/function_keys.h"
#include "ui/state.h"

namespace {

constexpr int kFunctionRows = 12;

// Rows 12..23; rows 0..11 take their key from the function-key bar.
const wchar_t* const kFixedKeys[kHelpRowCount - kFunctionRows] = {
    L"TAB", L"UP / DOWN", L"LEFT / RIGHT", L"ENTER", L"BACKSPACE", L"SPACE", L"CTRL + UP/DOWN", L"ESC",
    L"SUPPORTED FILES:", L"", L"", L"",
};

const LocalizedText kDescriptions[kHelpRowCount] = {
    {L"Show this help window.", L"Dieses Hilfefenster anzeigen.", L"Afficher cette fenetre d'aide.",
     L"Mostra questa finestra di aiuto."},
    {L"Rename selected file or folder.", L"Datei oder Ordner umbenennen.",
     L"Renommer le fichier ou dossier selectionne.", L"Rinomina il file o la cartella selezionata."},
    {L"View the selected text or source file.", L"Markierte Text- oder Quellcodedatei anzeigen.",
     L"Afficher le fichier texte ou source selectionne.", L"Mostra il file testo o sorgente selezionato."},
    {L"Edit the selected text or source file.", L"Datei mit dem Editor bearbeiten.",
     L"Editer le fichier texte ou source selectionne.", L"Modifica il file testo o sorgente selezionato."},
    {L"Copy selected file or folder to the opposite panel.", L"Datei oder Ordner in das andere Panel kopieren.",
     L"Copier fichier ou dossier vers l'autre panneau.", L"Copia file o cartella nell'altro pannello."},
    {L"Move selected file or folder to the opposite panel.",
     L"Datei oder Ordner in das andere Panel verschieben.", L"Deplacer fichier ou dossier vers l'autre panneau.",
     L"Sposta file o cartella nell'altro pannello."},
    {L"Create a new folder in the active panel.", L"Neuen Ordner im aktiven Panel erstellen.",
     L"Creer un dossier dans le panneau actif.", L"Crea una cartella nel pannello attivo."},
    {L"Delete selected file or folder after confirmation.",
     L"Datei oder Ordner nach Sicherheitsabfrage loeschen.", L"Effacer fichier ou dossier apres confirmation.",
     L"Elimina file o cartella dopo conferma."},
    {L"Open drive selection for the active panel.", L"Laufwerksauswahl fuer das aktive Panel oeffnen.",
     L"Ouvrir le choix du lecteur pour le panneau actif.", L"Apre la scelta drive per il pannello attivo."},
    {L"Exit the program.", L"Programm beenden.", L"Quitter le programme.", L"Esce dal programma."},
    {L"Settings for language, colors and font.", L"Einstellungen fuer Sprache, Farben und Schrift.",
     L"Reglages langue, couleurs et police.", L"Opzioni lingua, colori e carattere."},
    {L"Show program information.", L"Programminformation anzeigen.", L"Afficher les informations du programme.",
     L"Mostra informazioni programma."},
    {L"Switch active panel left/right.", L"Aktives Panel links/rechts wechseln.",
     L"Changer le panneau actif gauche/droite.", L"Cambia pannello attivo sinistra/destra."},
    {L"Move selection in the active panel.", L"Auswahl im aktiven Panel bewegen.",
     L"Deplacer la selection dans le panneau actif.", L"Muove la selezione nel pannello attivo."},
    {L"Select a function button at the bottom.", L"Funktionstaste unten auswaehlen.",
     L"Choisir une touche de fonction en bas.", L"Seleziona un tasto funzione in basso."},
    {L"Open folder or open/start file with Windows.", L"Ordner oeffnen oder Datei mit Windows oeffnen/starten.",
     L"Ouvrir dossier ou fichier avec Windows.", L"Apre cartella o file con Windows."},
    {L"Go one folder level up.", L"Eine Ordnerebene nach oben.", L"Remonter d'un niveau de dossier.",
     L"Torna a una cartella superiore."},
    {L"Mark or unmark a file/folder.", L"Datei/Ordner markieren oder Markierung entfernen.",
     L"Marquer ou retirer le marquage d'un fichier/dossier.", L"Marca o rimuove la marcatura di file/cartelle."},
    {L"Mark multiple items while moving.", L"Beim Bewegen Elemente untereinander markieren.",
     L"Marquer plusieurs elements en se deplacant.", L"Marca piu elementi mentre si muove."},
    {L"Clear all marked items. Exit with F10.", L"Alle Markierungen loeschen. Beenden mit F10.",
     L"Effacer tous les marquages. Quitter avec F10.", L"Rimuove tutte le marcature. Esce con F10."},
    // The file types read the same in every language.
    {L".txt .md .log .ini .cfg .conf .csv", L".txt .md .log .ini .cfg .conf .csv",
     L".txt .md .log .ini .cfg .conf .csv", L".txt .md .log .ini .cfg .conf .csv"},
    {L".cpp .c .h .hpp .asm .bat .cmd .ps1", L".cpp .c .h .hpp .asm .bat .cmd .ps1",
     L".cpp .c .h .hpp .asm .bat .cmd .ps1", L".cpp .c .h .hpp .asm .bat .cmd .ps1"},
    {L".php .html .htm .xml .css .js .json", L".php .html .htm .xml .css .js .json",
     L".php .html .htm .xml .css .js .json", L".php .html .htm .xml .css .js .json"},
    {L".sln .vcxproj .vcxproj.filters .props .targets .cs .csproj .vb .py .java .sql .yml .yaml",
     L".sln .vcxproj .vcxproj.filters .props .targets .cs .csproj .vb .py .java .sql .yml .yaml",
     L".sln .vcxproj .vcxproj.filters .props .targets .cs .csproj .vb .py .java .sql .yml .yaml",
     L".sln .vcxproj .vcxproj.filters .props .targets .cs .csproj .vb .py .java .sql .yml .yaml"},
};

const LocalizedText kTitle = {L"TORVANE COMMANDER - HELP", L"TORVANE COMMANDER - HILFE", L"TORVANE COMMANDER - AIDE",
                              L"TORVANE COMMANDER - AIUTO"};
const LocalizedText kHint = {L"ESC = back", L"ESC = zurueck", L"ESC = retour", L"ESC = indietro"};
const LocalizedText kOpened = {L"F1 Help opened. ESC closes the window.",
                               L"F1 Hilfe geoeffnet. ESC schliesst das Fenster.",
                               L"F1 Aide ouverte. ESC ferme la fenetre.", L"F1 Aiuto aperto. ESC chiude la finestra."};
const LocalizedText kClosed = {L"Help closed.", L"Hilfe geschlossen.", L"Aide fermee.", L"Aiuto chiuso."};

const COLORREF kTableFill = RGB(0xD2, 0xD2, 0xD2);
const COLORREF kEvenRowFill = RGB(0xE0, 0xE0, 0xE0);
const COLORREF kOddRowFill = RGB(0xC8, 0xC8, 0xC8);

}  // namespace

std::wstring helpKeyText(int row) {
    if (row < 0 || row >= kHelpRowCount) return std::wstring();
    if (row < kFunctionRows) return functionLabel(row);
    return kFixedKeys[row - kFunctionRows];
}

std::wstring helpDescription(int row) {
    return localizedRow(kDescriptions, row);
}

std::wstring helpTitle() {
    return localize(kTitle);
}

std::wstring helpHint() {
    return localize(kHint);
}

void openHelp(HWND window) {
    switchScreen(window, ScreenMode::Help, localize(kOpened));
}

void closeHelp(HWND window) {
    switchScreen(window, ScreenMode::MainView, localize(kClosed));
}

void helpKey(HWND window, UINT key) {
    if (key == VK_ESCAPE || key == VK_F1) closeHelp(window);
}

void drawHelpScreen(HDC dc, int width, int height) {
    int boxWidth = std::min(std::max(3 * width / 4, 820), width - 80);
    int boxHeight = std::min(std::max(3 * height / 4, 620), height - 100);
    int left = (width - boxWidth) / 2;
    int top = (height - boxHeight) / 2;
    int right = left + boxWidth;
    int bottom = top + boxHeight;
    drawBox(dc, rectOf(left, top, right, bottom), theme.dialogBackground, theme.dialogFrame, 4);
    drawText(dc, rectOf(left + 24, top + 18, right - 24, top + 66), helpTitle(), kBlack, true, false, kLineCentre);

    RECT table = rectOf(left + 34, top + 78, right - 34, bottom - 56);
    drawBox(dc, table, kTableFill, kBlack, 2);
    // The rows adapt to the table; in a very low window they run past its bottom rather than shrink.
    int rowHeight = std::clamp(static_cast<int>(table.bottom - table.top - 12) / kHelpRowCount, 20, 34);
    for (int row = 0; row < kHelpRowCount; ++row) {
        RECT band = rectOf(table.left + 6, table.top + 6 + row * rowHeight, table.right - 6, 0);
        band.bottom = band.top + rowHeight - 2;
        fillRect(dc, band, row % 2 == 0 ? kEvenRowFill : kOddRowFill);
        drawText(dc, rectOf(band.left + 10, band.top, band.left + 190, band.bottom), helpKeyText(row), kBlack, true,
                 true, kLineLeftMiddle);
        drawText(dc, rectOf(band.left + 202, band.top, band.right - 10, band.bottom), helpDescription(row), kBlack,
                 false, true, kLineLeftMiddle);
        drawVerticalLine(dc, band.left + 190, band.top + 4, band.bottom - 4, kBlack);
    }

    drawText(dc, rectOf(left + 30, bottom - 44, right - 30, bottom - 12), helpHint(), kBlack, true, true,
             kLineCentre);
}
