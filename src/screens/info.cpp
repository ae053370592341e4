#include "screens/info.h"

#include <algorithm>

#include "settings/language.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/gdi.h"
#include "ui/state.h"

namespace {

const wchar_t kTitle[] = L"TORVANE COMMANDER";
const wchar_t kVersion[] = L"Version: 1.0";
const wchar_t kOwnerLine[] = L"Copyright (c) 2026 Torvane Software. All rights reserved.";
const wchar_t kSupportLine[] = L"Support: support@example.com";
const wchar_t kTermsHeading[] = L"Terms and User Agreement:";
const wchar_t kHint[] = L"ESC or F12 = back";

constexpr int kTermsLineCount = 16;

// Fourteen items; the first runs over three lines, its continuations indented by three spaces.
const LocalizedText kTerms[kTermsLineCount] = {
    {L"1. This software is licensed to you for personal use only.",
     L"1. Diese Software ist nur zum privaten Gebrauch lizenziert.",
     L"1. Ce logiciel est reserve a un usage strictement personnel.",
     L"1. Questo software e concesso solo per uso personale."},
    {L"   You may install it on computers that you own or",
     L"   Sie darf auf Rechnern installiert werden, die Ihnen",
     L"   Il peut etre installe sur des ordinateurs que vous",
     L"   Puo essere installato su computer di vostra proprieta"},
    {L"   control yourself.", L"   gehoeren oder die Sie selbst verwalten.",
     L"   possedez ou que vous gerez vous-meme.", L"   o gestiti da voi stessi."},
    {L"2. You may not pass the software on to other persons.",
     L"2. Die Software darf nicht an Dritte weitergegeben werden.",
     L"2. Le logiciel ne peut pas etre transmis a des tiers.",
     L"2. Il software non puo essere ceduto ad altre persone."},
    {L"3. You may not share it on networks or download sites.",
     L"3. Teilen ueber Netzwerke oder Downloadseiten ist untersagt.",
     L"3. Il ne peut pas etre partage sur des reseaux ou sites.",
     L"3. Non puo essere condiviso in reti o siti di download."},
    {L"4. You may not sell, rent or lend the software.", L"4. Verkauf, Vermietung und Verleih sind nicht erlaubt.",
     L"4. Il est interdit de vendre, louer ou preter le logiciel.",
     L"4. E vietato vendere, noleggiare o prestare il software."},
    {L"5. You may not change, decompile or disassemble it.",
     L"5. Aendern, Dekompilieren und Disassemblieren sind untersagt.",
     L"5. Il est interdit de modifier, decompiler ou desassembler.",
     L"5. E vietato modificarlo, decompilarlo o disassemblarlo."},
    {L"6. The name TORVANE COMMANDER is protected.", L"6. Der Name TORVANE COMMANDER ist geschuetzt.",
     L"6. Le nom TORVANE COMMANDER est protege.", L"6. Il nome TORVANE COMMANDER e protetto."},
    {L"7. The software is provided as is, without any warranty.",
     L"7. Die Software wird ohne Gewaehrleistung bereitgestellt.",
     L"7. Le logiciel est fourni tel quel, sans aucune garantie.",
     L"7. Il software e fornito cosi com'e, senza alcuna garanzia."},
    {L"8. There is no warranty that it is free of errors.", L"8. Es wird keine Fehlerfreiheit zugesichert.",
     L"8. Aucune garantie n'est donnee qu'il soit sans erreur.", L"8. Non si garantisce che sia privo di errori."},
    {L"9. The owner is not liable for damage or loss of data.",
     L"9. Der Inhaber haftet nicht fuer Schaeden oder Datenverlust.",
     L"9. Aucune responsabilite pour dommages ou perte de donnees.",
     L"9. Il titolare non risponde di danni o perdite di dati."},
    {L"10. The owner is not liable for any costs that follow.",
     L"10. Der Inhaber haftet nicht fuer Folgekosten jeder Art.",
     L"10. Aucune responsabilite pour les frais qui en decoulent.",
     L"10. Il titolare non risponde di alcun costo conseguente."},
    {L"11. Keep current backups of your files at all times.",
     L"11. Halten Sie stets aktuelle Sicherungen Ihrer Dateien.",
     L"11. Gardez toujours des sauvegardes a jour de vos fichiers.",
     L"11. Tenete sempre copie di sicurezza aggiornate dei file."},
    {L"12. Included components keep their own licences.",
     L"12. Enthaltene Komponenten unterliegen eigenen Lizenzen.",
     L"12. Les composants inclus gardent leurs propres licences.",
     L"12. I componenti inclusi hanno le proprie licenze."},
    {L"13. Use of the software transfers no ownership to you.",
     L"13. Die Nutzung uebertraegt kein Eigentum an der Software.",
     L"13. L'utilisation ne transfere aucune propriete du logiciel.",
     L"13. L'uso non trasferisce alcuna proprieta del software."},
    {L"14. By using the software you agree to these terms.",
     L"14. Mit der Nutzung stimmen Sie diesen Bedingungen zu.",
     L"14. En utilisant le logiciel, vous acceptez ces conditions.",
     L"14. Usando il software accettate queste condizioni."},
};

const LocalizedText kOpened = {L"F12 Info opened. ESC closes the window.",
                               L"F12 Info geoeffnet. ESC schliesst das Fenster.",
                               L"F12 Info ouverte. ESC ferme la fenetre.", L"F12 Info aperta. ESC chiude la finestra."};
const LocalizedText kClosed = {L"Info closed.", L"Info geschlossen.", L"Info fermee.", L"Info chiusa."};

const COLORREF kTermsFill = RGB(0xD2, 0xD2, 0xD2);

// Width in pixels of the widest text in the given font.
int widestText(HDC dc, HFONT font, const std::vector<std::wstring>& texts) {
    // The measuring font is selected for this scope only; the DC gets its own font back after it.
    SelectedObject selected(dc, font);
    int widest = 0;
    for (const std::wstring& text : texts) {
        SIZE size = {};
        if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size))
            widest = std::max(widest, static_cast<int>(size.cx));
    }
    return widest;
}

}  // namespace

std::vector<std::wstring> termsLines() {
    std::vector<std::wstring> lines;
    lines.reserve(kTermsLineCount + 1);
    lines.push_back(kTermsHeading);
    for (const LocalizedText& line : kTerms) lines.push_back(localize(line));
    return lines;
}

std::wstring infoOwnerLine() {
    return kOwnerLine;
}

std::wstring infoSupportLine() {
    return kSupportLine;
}

void openInfo(HWND window) {
    switchScreen(window, ScreenMode::Info, localize(kOpened));
}

void closeInfo(HWND window) {
    switchScreen(window, ScreenMode::MainView, localize(kClosed));
}

void infoKey(HWND window, UINT key) {
    if (key == VK_ESCAPE || key == VK_F12) closeInfo(window);
}

void drawInfoScreen(HDC dc, int width, int height) {
    std::vector<std::wstring> lines = termsLines();
    int lineHeight = std::clamp(theme.rowHeight, 20, 28);
    HFONT textFont = smallFont ? smallFont : normalFont;

    std::vector<std::wstring> measured = lines;
    measured.push_back(kOwnerLine);
    measured.push_back(kSupportLine);
    int widest = widestText(dc, textFont, measured);

    int termsHeight = static_cast<int>(lines.size()) * lineHeight + 22;
    int boxWidth = std::max(width / 2, std::min(width - 120, std::max(widest + 108, 980)));
    int boxHeight = std::min(height - 100, std::max(termsHeight + 220, 560));
    int left = (width - boxWidth) / 2;
    int top = (height - boxHeight) / 2;
    int right = left + boxWidth;
    int bottom = top + boxHeight;
    drawBox(dc, rectOf(left, top, right, bottom), theme.dialogBackground, theme.dialogFrame, 6);

    {
        // A title font for this paint only; drawTextInFont selects the previous font back before
        // the font is deleted at the end of this scope.
        GdiObject<HFONT> titleFont(createAppFont(2 * theme.fontHeight, FW_BOLD));
        drawTextInFont(dc, rectOf(left + 30, top + 18, right - 30, top + 66), kTitle, kBlack,
                       titleFont ? titleFont.get() : pickFont(true, false), kLineCentre);
    }

    drawText(dc, rectOf(left + 30, top + 72, right - 30, top + 96), kVersion, kBlack, true, true, kLineCentre);
    drawText(dc, rectOf(left + 30, top + 100, right - 30, top + 124), kOwnerLine, kBlack, true, true, kLineCentre);
    drawText(dc, rectOf(left + 30, top + 128, right - 30, top + 152), kSupportLine, kBlack, true, true,
             kLineCentre);

    RECT panel = rectOf(left + 30, top + 158, right - 30, std::min(top + 158 + termsHeight, bottom - 62));
    drawBox(dc, panel, kTermsFill, kBlack, 2);
    for (size_t i = 0; i < lines.size(); ++i) {
        int lineTop = panel.top + 10 + static_cast<int>(i) * lineHeight;
        // In a low window the lower lines are left out rather than drawn past the panel.
        if (lineTop + lineHeight > panel.bottom - 4) break;
        drawText(dc, rectOf(panel.left + 16, lineTop, panel.right - 16, lineTop + lineHeight), lines[i], kBlack,
                 i == 0, true, kLineLeftMiddle);
    }

    drawText(dc, rectOf(left + 30, bottom - 46, right - 30, bottom - 16), kHint, kBlack, true, true, kLineCentre);
}
