#include "panels/drives.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "fs/handles.h"
#include "panels/panels.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

const LocalizedText kDriveSelectOpened = {L"F9 Drive selection opened.", L"F9 Laufwerksauswahl geoeffnet.",
                                          L"F9 Choix lecteur ouvert.", L"F9 Scelta drive aperta."};
const LocalizedText kDriveSelectClosed = {L"Drive selection closed.", L"Laufwerksauswahl geschlossen.",
                                          L"Choix lecteur ferme.", L"Scelta drive chiusa."};
const LocalizedText kDriveOpened = {L"Drive opened: ", L"Laufwerk geoeffnet: ", L"Lecteur ouvert: ",
                                    L"Drive aperto: "};
const LocalizedText kNoDrivesTitle = {L"NO DRIVES FOUND", L"KEINE LAUFWERKE GEFUNDEN", L"AUCUN LECTEUR TROUVE",
                                      L"NESSUN DRIVE TROVATO"};
const LocalizedText kNoDrivesText = {L"Windows did not report any available drives.",
                                     L"Windows meldet keine verfuegbaren Laufwerke.",
                                     L"Windows ne signale aucun lecteur disponible.",
                                     L"Windows non segnala drive disponibili."};
const LocalizedText kSelectDriveTitle = {L"SELECT DRIVE", L"LAUFWERK WAEHLEN", L"CHOISIR LECTEUR",
                                         L"SCEGLI DRIVE"};
const LocalizedText kDriveSelectHint = {
    L"Up/down = select   Enter = open drive   ESC = back",
    L"Pfeil hoch/runter = Auswahl   Enter = Laufwerk oeffnen   ESC = zurueck",
    L"Haut/bas = choix   Enter = ouvrir lecteur   ESC = retour",
    L"Su/giu = scelta   Enter = apri drive   ESC = indietro"};
const LocalizedText kActiveDriveWord = {L"ACTIVE", L"AKTIV", L"ACTIF", L"ATTIVO"};

namespace {

const LocalizedText kDriveTypeNames[] = {
    {L"UNKNOWN", L"UNBEKANNT", L"INCONNU", L"SCONOSCIUTO"},
    {L"REMOVABLE", L"WECHSEL", L"AMOVIBLE", L"RIMOVIBILE"},
    {L"FIXED", L"FESTPLATTE", L"DISQUE", L"DISCO"},
    {L"NETWORK", L"NETZWERK", L"RESEAU", L"RETE"},
    {L"CD/DVD", L"CD/DVD", L"CD/DVD", L"CD/DVD"},
    {L"RAMDISK", L"RAMDISK", L"RAMDISK", L"RAMDISK"},
};

constexpr COLORREF kListGrey = RGB(0xD2, 0xD2, 0xD2);
constexpr int kRowPitch = 42;  // 38-pixel rows with 4 pixels between them
constexpr int kRowHeight = 38;

// "C:\" for a drive-letter path, empty for anything else (network folders have no drive).
std::wstring activeRoot(const std::wstring& path) {
    if (path.size() < 3 || path[1] != L':' || (path[2] != L'\\' && path[2] != L'/')) return std::wstring();
    std::wstring root(1, static_cast<wchar_t>(towupper(path[0])));
    return root + L":\\";
}

std::wstring volumeLabel(const std::wstring& root) {
    // An empty card reader or floppy must fail quietly, not bring up "insert a disk".
    ErrorModeScope quiet(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    wchar_t label[260] = {};
    if (!GetVolumeInformationW(root.c_str(), label, 260, nullptr, nullptr, nullptr, nullptr, 0))
        return std::wstring();
    return label;
}

void clampDriveIndex() {
    int32_t last = static_cast<int32_t>(driveList.size()) - 1;
    driveIndex = std::max(0, std::min(driveIndex, last));
}

}  // namespace

std::vector<DriveInfo> driveList;
int32_t driveIndex = 0;
int32_t driveScroll = 0;

void resetDriveSelect() {
    driveList.clear();
    driveIndex = 0;
    driveScroll = 0;
}

void buildDriveList() {
    driveList.clear();
    driveIndex = 0;
    DWORD n = GetLogicalDriveStringsW(0, nullptr);
    if (n == 0) return;
    std::vector<wchar_t> buffer(static_cast<size_t>(n) + 2, L'\0');
    DWORD got = GetLogicalDriveStringsW(n + 2, buffer.data());
    if (got == 0 || got >= n + 2) return;

    std::wstring active = activeRoot(activePanel().path);
    for (const wchar_t* root = buffer.data(); *root; root += wcslen(root) + 1) {
        DriveInfo drive;
        drive.root = root;
        drive.driveType = GetDriveTypeW(root);
        if (drive.driveType == DRIVE_NO_ROOT_DIR) continue;
        drive.isActive = !active.empty() && _wcsicmp(root, active.c_str()) == 0;
        // Network and optical drives can stall for seconds; only local disks are asked.
        if (drive.driveType == DRIVE_REMOVABLE || drive.driveType == DRIVE_FIXED) drive.label = volumeLabel(root);
        driveList.push_back(drive);
    }
    std::sort(driveList.begin(), driveList.end(), [](const DriveInfo& a, const DriveInfo& b) {
        return _wcsicmp(a.root.c_str(), b.root.c_str()) < 0;
    });
    for (size_t i = 0; i < driveList.size(); ++i) {
        if (driveList[i].isActive) {
            driveIndex = static_cast<int32_t>(i);
            break;
        }
    }
}

void openDriveSelect(HWND window) {
    buildDriveList();
    if (driveList.empty()) {
        showMessageBox(window, localize(kNoDrivesTitle), localize(kNoDrivesText));
        return;
    }
    switchScreen(window, ScreenMode::DriveSelect, localize(kDriveSelectOpened));
}

void closeDriveSelect(HWND window) {
    switchScreen(window, ScreenMode::MainView, localize(kDriveSelectClosed));
}

void chooseDrive(HWND window) {
    if (driveList.empty()) {
        closeDriveSelect(window);
        return;
    }
    clampDriveIndex();
    const std::wstring root = driveList[static_cast<size_t>(driveIndex)].root;
    PanelState& panel = activePanel();
    panel.path = root;
    panel.cursor = 0;
    panel.scroll = 0;
    panel.marked.clear();
    loadListing(panel);
    switchScreen(window, ScreenMode::MainView, localize(kDriveOpened) + root);
}

void driveSelectKey(HWND window, UINT key) {
    int32_t last = std::max(0, static_cast<int32_t>(driveList.size()) - 1);
    switch (key) {
    case VK_ESCAPE:
    case VK_F9:
        closeDriveSelect(window);
        return;
    case VK_RETURN:
        chooseDrive(window);
        return;
    case VK_UP:
        driveIndex = std::max(0, driveIndex - 1);
        break;
    case VK_DOWN:
        driveIndex = std::max(0, std::min(driveIndex + 1, last));
        break;
    case VK_HOME:
        driveIndex = 0;
        break;
    case VK_END:
        driveIndex = last;
        break;
    default:
        return;
    }
    requestRepaint(window);
}

std::wstring driveTypeName(uint32_t driveType) {
    size_t row = 0;
    switch (driveType) {
    case DRIVE_REMOVABLE: row = 1; break;
    case DRIVE_FIXED: row = 2; break;
    case DRIVE_REMOTE: row = 3; break;
    case DRIVE_CDROM: row = 4; break;
    case DRIVE_RAMDISK: row = 5; break;
    default: break;
    }
    return localize(kDriveTypeNames[row]);
}

std::wstring driveRowText(const DriveInfo& drive) {
    std::wstring text = drive.root + L"   " + driveTypeName(drive.driveType);
    if (!drive.label.empty()) text += L"   " + drive.label;
    if (drive.isActive) text += L"   " + localize(kActiveDriveWord);
    return text;
}

DriveSelectLayout driveSelectLayout(int w, int h) {
    int bw = std::min(std::max(w / 2, 760), w - 80);
    int bh = std::min(std::max(h / 2, 430), h - 100);
    int x = (w - bw) / 2, y = (h - bh) / 2;
    DriveSelectLayout layout;
    layout.box = rectOf(x, y, x + bw, y + bh);
    layout.list = rectOf(x + 34, y + 78, x + bw - 34, y + bh - 62);
    layout.rows = std::max(static_cast<int>(layout.list.bottom - layout.list.top - 12) / kRowPitch, 1);
    return layout;
}

RECT driveRowRect(const DriveSelectLayout& layout, int i) {
    int top = layout.list.top + 8 + kRowPitch * i;
    return rectOf(layout.list.left + 8, top, layout.list.right - 8, top + kRowHeight);
}

void drawDriveSelect(HDC dc, int w, int h) {
    DriveSelectLayout layout = driveSelectLayout(w, h);
    const RECT& box = layout.box;
    drawBox(dc, box, theme.dialogBackground, theme.dialogFrame, 4);
    drawTextInFont(dc, rectOf(box.left + 24, box.top + 18, box.right - 24, box.top + 66), localize(kSelectDriveTitle),
                   kBlack, pickFont(true, false), kLineCentre);
    drawBox(dc, layout.list, kListGrey, kBlack, 2);

    // Bring the highlighted row into view with the least movement.
    clampDriveIndex();
    if (driveIndex < driveScroll) driveScroll = driveIndex;
    if (driveIndex >= driveScroll + layout.rows) driveScroll = driveIndex - layout.rows + 1;
    if (driveScroll < 0) driveScroll = 0;

    HFONT bold = pickFont(true, false);
    for (int i = 0; i < layout.rows; ++i) {
        size_t index = static_cast<size_t>(driveScroll) + static_cast<size_t>(i);
        if (index >= driveList.size()) break;
        const DriveInfo& drive = driveList[index];
        bool highlighted = index == static_cast<size_t>(driveIndex);
        RECT row = driveRowRect(layout, i);
        if (highlighted)
            drawBox(dc, row, kWhite, kBlack, 2);
        else
            fillRect(dc, row, kListGrey);
        HFONT font = (highlighted || drive.isActive) ? bold : normalFont;
        drawTextInFont(dc, rectOf(row.left + 14, row.top, row.right - 14, row.bottom), driveRowText(drive), kBlack,
                       font, kLineLeftMiddle);
    }

    drawTextInFont(dc, rectOf(box.left + 24, box.bottom - 44, box.right - 24, box.bottom - 12),
                   localize(kDriveSelectHint), kBlack, pickFont(false, true), kLineCentre);
}
