// Drive selection against Wine's real drive list: building, preselection, choosing, keys, row
// texts in four languages, and the list drawing with its scrolling.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "app/draw.h"
#include "app/state.h"
#include "common/canvas.h"
#include "common/temp_folder.h"
#include "panels/drives.h"
#include "panels/panels.h"
#include "settings/settings.h"

namespace {

constexpr COLORREF kOutside = RGB(1, 2, 3);
constexpr COLORREF kDialogFill = RGB(0xC8, 0xC8, 0xF0);
constexpr COLORREF kDialogFrame = RGB(0x20, 0x90, 0x20);
constexpr COLORREF kListGrey = RGB(0xD2, 0xD2, 0xD2);

DriveInfo drive(const wchar_t* root, uint32_t type, const wchar_t* label = L"", bool active = false) {
    DriveInfo d;
    d.root = root;
    d.driveType = type;
    d.label = label;
    d.isActive = active;
    return d;
}

// The roots as Windows reports them, without the ones that have no root folder.
std::vector<std::wstring> reportedRoots() {
    std::vector<std::wstring> roots;
    wchar_t buffer[1024] = {};
    GetLogicalDriveStringsW(1024, buffer);
    for (const wchar_t* r = buffer; *r; r += wcslen(r) + 1)
        if (GetDriveTypeW(r) != DRIVE_NO_ROOT_DIR) roots.push_back(r);
    return roots;
}

int indexOf(const std::wstring& root) {
    for (size_t i = 0; i < driveList.size(); ++i)
        if (driveList[i].root == root) return static_cast<int>(i);
    return -1;
}

class Drives : public ::testing::Test {
protected:
    void SetUp() override {
        savedLeft = leftPanel;
        savedRight = rightPanel;
        savedTheme = theme;
        savedSettings = appSettings;
        theme.dialogBackground = kDialogFill;
        theme.dialogFrame = kDialogFrame;
        appSettings.language = 0;
        leftPanelActive = true;
        screenMode = ScreenMode::MainView;
        driveList.clear();
        driveIndex = 0;
        driveScroll = 0;
        createFonts();
    }
    void TearDown() override {
        deleteFonts();
        leftPanel = savedLeft;
        rightPanel = savedRight;
        leftPanelActive = true;
        theme = savedTheme;
        appSettings = savedSettings;
        screenMode = ScreenMode::MainView;
        statusLine.clear();
        messageTitle.clear();
        messageText.clear();
        messageHint.clear();
        driveList.clear();
        driveIndex = driveScroll = 0;
    }
    PanelState savedLeft, savedRight;
    Theme savedTheme;
    AppSettings savedSettings;
};

TEST_F(Drives, ListsWinesDrivesSortedWithTheirTypes) {
    leftPanel.path = L"C:\\windows";
    buildDriveList();
    std::vector<std::wstring> roots = reportedRoots();
    ASSERT_EQ(driveList.size(), roots.size());
    for (size_t i = 0; i < driveList.size(); ++i) {
        const DriveInfo& d = driveList[i];
        EXPECT_EQ(d.driveType, GetDriveTypeW(d.root.c_str())) << d.root.c_str();
        if (i > 0) {
            EXPECT_LT(_wcsicmp(driveList[i - 1].root.c_str(), d.root.c_str()), 0);
        }
        // Only local disks are asked for a label.
        if (d.driveType != DRIVE_FIXED && d.driveType != DRIVE_REMOVABLE) {
            EXPECT_TRUE(d.label.empty()) << d.root.c_str();
        }
    }
    for (const wchar_t* root : {L"C:\\", L"Z:\\"}) {
        int i = indexOf(root);
        ASSERT_GE(i, 0) << root;
        EXPECT_EQ(driveList[i].driveType, static_cast<uint32_t>(DRIVE_FIXED)) << root;
    }
}

TEST_F(Drives, PreselectsTheActivePanelsDrive) {
    struct Case {
        const wchar_t* leftPath;
        const wchar_t* rightPath;
        bool leftActive;
        const wchar_t* activeRoot;  // nullptr: no row active, the first one highlighted
    };
    const Case cases[] = {
        {L"C:\\windows", L"Z:\\tmp", true, L"C:\\"},
        {L"C:\\windows", L"Z:\\tmp", false, L"Z:\\"},
        {L"z:/tmp", L"C:\\", true, L"Z:\\"},  // lower case and a slash still name Z:
        {L"\\\\server\\share\\x", L"C:\\", true, nullptr},
        {L"", L"C:\\", true, nullptr},
        {L"Q:\\", L"C:\\", true, nullptr},  // a drive Wine does not have
    };
    for (const Case& c : cases) {
        leftPanel.path = c.leftPath;
        rightPanel.path = c.rightPath;
        leftPanelActive = c.leftActive;
        driveIndex = 5;
        buildDriveList();
        ASSERT_FALSE(driveList.empty());
        int active = 0;
        for (const DriveInfo& d : driveList) active += d.isActive ? 1 : 0;
        if (!c.activeRoot) {
            EXPECT_EQ(active, 0) << c.leftPath;
            EXPECT_EQ(driveIndex, 0) << c.leftPath;
            continue;
        }
        EXPECT_EQ(active, 1) << c.leftPath;
        EXPECT_EQ(driveIndex, indexOf(c.activeRoot)) << c.leftPath;
        EXPECT_TRUE(driveList[driveIndex].isActive);
        std::wstring row = driveRowText(driveList[driveIndex]);
        EXPECT_EQ(row.substr(row.size() - 9), L"   ACTIVE") << c.leftPath;
    }
}

TEST_F(Drives, OpenAndCloseReportInTheStatusLine) {
    leftPanel.path = L"C:\\windows";
    openDriveSelect(nullptr);
    EXPECT_EQ(screenMode, ScreenMode::DriveSelect);
    EXPECT_EQ(statusLine, L"F9 Drive selection opened.");
    EXPECT_EQ(driveList[driveIndex].root, L"C:\\");

    for (UINT key : {static_cast<UINT>(VK_F9), static_cast<UINT>(VK_ESCAPE)}) {
        screenMode = ScreenMode::DriveSelect;
        statusLine.clear();
        driveSelectKey(nullptr, key);
        EXPECT_EQ(screenMode, ScreenMode::MainView) << key;
        EXPECT_EQ(statusLine, L"Drive selection closed.") << key;
        EXPECT_FALSE(driveList.empty()) << "the list stays until the next F9";
    }
}

TEST_F(Drives, ChoosingOpensTheRootInTheActivePanelOnly) {
    TempFolder temp;
    temp.folder(L"sub");
    temp.file(L"a.txt");
    leftPanel.path = L"Z:\\";
    leftPanel.marked = {L"keep"};
    rightPanel.path = temp.path();
    rightPanel.marked = {L"sub", L"a.txt"};
    rightPanel.cursor = 2;
    rightPanel.scroll = 1;
    leftPanelActive = false;
    openDriveSelect(nullptr);
    ASSERT_GE(indexOf(L"C:\\"), 0);
    driveIndex = indexOf(L"C:\\");

    driveSelectKey(nullptr, VK_RETURN);
    EXPECT_EQ(screenMode, ScreenMode::MainView);
    EXPECT_EQ(statusLine, L"Drive opened: C:\\");
    EXPECT_EQ(rightPanel.path, L"C:\\");
    EXPECT_EQ(rightPanel.cursor, 0);
    EXPECT_EQ(rightPanel.scroll, 0);
    EXPECT_TRUE(rightPanel.marked.empty());
    EXPECT_TRUE(rightPanel.errorText.empty());
    ASSERT_FALSE(rightPanel.entries.empty());
    EXPECT_NE(rightPanel.entries[0].name, L"..");  // a root has no parent entry
    EXPECT_EQ(leftPanel.path, L"Z:\\");
    EXPECT_EQ(leftPanel.marked.size(), 1u);

    // The same drive again still reloads, resets the cursor and drops the marks.
    rightPanel.cursor = 1;
    rightPanel.marked = {L"windows"};
    driveSelectKey(nullptr, VK_RETURN);
    EXPECT_EQ(rightPanel.cursor, 0);
    EXPECT_TRUE(rightPanel.marked.empty());

    // An index past the end opens the last drive.
    driveIndex = 99;
    chooseDrive(nullptr);
    EXPECT_EQ(rightPanel.path, driveList.back().root);
    EXPECT_EQ(driveIndex, static_cast<int32_t>(driveList.size()) - 1);
}

TEST_F(Drives, ChoosingFromAnEmptyListJustCloses) {
    screenMode = ScreenMode::DriveSelect;
    leftPanel.path = L"C:\\windows";
    chooseDrive(nullptr);
    EXPECT_EQ(screenMode, ScreenMode::MainView);
    EXPECT_EQ(statusLine, L"Drive selection closed.");
    EXPECT_EQ(leftPanel.path, L"C:\\windows");
}

TEST_F(Drives, KeysMoveTheHighlightWithinTheList) {
    struct Case {
        size_t drives;
        int32_t start;
        std::vector<UINT> keys;
        int32_t expected;
    };
    const Case cases[] = {
        {3, 0, {VK_DOWN}, 1},
        {3, 0, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN}, 2},  // stays on the last drive
        {3, 2, {VK_UP, VK_UP, VK_UP}, 0},
        {3, 1, {VK_END}, 2},
        {3, 2, {VK_HOME}, 0},
        {3, 1, {VK_F5, VK_LEFT, 'A'}, 1},  // other keys do nothing
        {0, 0, {VK_DOWN}, 0},
        {0, 0, {VK_END}, 0},
        {0, 0, {VK_UP, VK_HOME}, 0},
    };
    for (const Case& c : cases) {
        driveList.assign(c.drives, drive(L"C:\\", DRIVE_FIXED));
        driveIndex = c.start;
        screenMode = ScreenMode::DriveSelect;
        for (UINT key : c.keys) driveSelectKey(nullptr, key);
        EXPECT_EQ(driveIndex, c.expected) << c.drives << " drives from " << c.start;
        EXPECT_EQ(screenMode, ScreenMode::DriveSelect);
    }
}

TEST_F(Drives, RowTextsInAllFourLanguages) {
    struct Case {
        DriveInfo drive;
        const wchar_t* text[4];
    };
    const Case cases[] = {
        {drive(L"A:\\", DRIVE_REMOVABLE),
         {L"A:\\   REMOVABLE", L"A:\\   WECHSEL", L"A:\\   AMOVIBLE", L"A:\\   RIMOVIBILE"}},
        {drive(L"C:\\", DRIVE_FIXED, L"SYSTEM", true),
         {L"C:\\   FIXED   SYSTEM   ACTIVE", L"C:\\   FESTPLATTE   SYSTEM   AKTIV", L"C:\\   DISQUE   SYSTEM   ACTIF",
          L"C:\\   DISCO   SYSTEM   ATTIVO"}},
        {drive(L"N:\\", DRIVE_REMOTE), {L"N:\\   NETWORK", L"N:\\   NETZWERK", L"N:\\   RESEAU", L"N:\\   RETE"}},
        {drive(L"D:\\", DRIVE_CDROM, L"", true),
         {L"D:\\   CD/DVD   ACTIVE", L"D:\\   CD/DVD   AKTIV", L"D:\\   CD/DVD   ACTIF", L"D:\\   CD/DVD   ATTIVO"}},
        {drive(L"R:\\", DRIVE_RAMDISK, L"Fast"),
         {L"R:\\   RAMDISK   Fast", L"R:\\   RAMDISK   Fast", L"R:\\   RAMDISK   Fast", L"R:\\   RAMDISK   Fast"}},
        {drive(L"X:\\", DRIVE_UNKNOWN),
         {L"X:\\   UNKNOWN", L"X:\\   UNBEKANNT", L"X:\\   INCONNU", L"X:\\   SCONOSCIUTO"}},
        {drive(L"Y:\\", 77), {L"Y:\\   UNKNOWN", L"Y:\\   UNBEKANNT", L"Y:\\   INCONNU", L"Y:\\   SCONOSCIUTO"}},
    };
    for (int lang = 0; lang < 4; ++lang) {
        appSettings.language = lang;
        for (const Case& c : cases) EXPECT_EQ(driveRowText(c.drive), c.text[lang]) << lang;
    }
}

TEST_F(Drives, ScreenTextsInAllFourLanguages) {
    struct Case {
        const LocalizedText* text;
        const wchar_t* expected[4];
    };
    const Case cases[] = {
        {&kDriveSelectOpened,
         {L"F9 Drive selection opened.", L"F9 Laufwerksauswahl geoeffnet.", L"F9 Choix lecteur ouvert.",
          L"F9 Scelta drive aperta."}},
        {&kDriveSelectClosed,
         {L"Drive selection closed.", L"Laufwerksauswahl geschlossen.", L"Choix lecteur ferme.",
          L"Scelta drive chiusa."}},
        {&kDriveOpened, {L"Drive opened: ", L"Laufwerk geoeffnet: ", L"Lecteur ouvert: ", L"Drive aperto: "}},
        {&kNoDrivesTitle,
         {L"NO DRIVES FOUND", L"KEINE LAUFWERKE GEFUNDEN", L"AUCUN LECTEUR TROUVE", L"NESSUN DRIVE TROVATO"}},
        {&kNoDrivesText,
         {L"Windows did not report any available drives.", L"Windows meldet keine verfuegbaren Laufwerke.",
          L"Windows ne signale aucun lecteur disponible.", L"Windows non segnala drive disponibili."}},
        {&kSelectDriveTitle, {L"SELECT DRIVE", L"LAUFWERK WAEHLEN", L"CHOISIR LECTEUR", L"SCEGLI DRIVE"}},
        {&kDriveSelectHint,
         {L"Up/down = select   Enter = open drive   ESC = back",
          L"Pfeil hoch/runter = Auswahl   Enter = Laufwerk oeffnen   ESC = zurueck",
          L"Haut/bas = choix   Enter = ouvrir lecteur   ESC = retour",
          L"Su/giu = scelta   Enter = apri drive   ESC = indietro"}},
    };
    for (const Case& c : cases)
        for (int lang = 0; lang < 4; ++lang) EXPECT_EQ(std::wstring(localizeIn(*c.text, lang)), c.expected[lang]);

    // The status texts the commands write come from the same table.
    appSettings.language = 2;
    leftPanel.path = L"C:\\windows";
    openDriveSelect(nullptr);
    EXPECT_EQ(statusLine, L"F9 Choix lecteur ouvert.");
    driveIndex = indexOf(L"C:\\");
    chooseDrive(nullptr);
    EXPECT_EQ(statusLine, L"Lecteur ouvert: C:\\");
}

TEST_F(Drives, ListGeometryAtFullHdAndBelowTheMinimum) {
    struct Case {
        int w, h;
        RECT box, list;
        int rows;
    };
    const Case cases[] = {
        {1920, 1080, {480, 270, 1440, 810}, {514, 348, 1406, 748}, 9},
        {800, 500, {40, 50, 760, 450}, {74, 128, 726, 388}, 5},   // capped at w - 80, h - 100
        {1000, 600, {120, 85, 880, 515}, {154, 163, 846, 453}, 6},  // the minimum 760 x 430
        {400, 160, {40, 50, 360, 110}, {74, 128, 326, 48}, 1},     // never fewer than one row
    };
    for (const Case& c : cases) {
        DriveSelectLayout layout = driveSelectLayout(c.w, c.h);
        EXPECT_TRUE(EqualRect(&layout.box, &c.box)) << c.w << "x" << c.h;
        EXPECT_TRUE(EqualRect(&layout.list, &c.list)) << c.w << "x" << c.h;
        EXPECT_EQ(layout.rows, c.rows) << c.w << "x" << c.h;
    }
    DriveSelectLayout full = driveSelectLayout(1920, 1080);
    RECT second = driveRowRect(full, 1), expected = {522, 398, 1398, 436};
    EXPECT_TRUE(EqualRect(&second, &expected));
}

TEST_F(Drives, DrawingShowsBoxListAndHighlightedRow) {
    driveList = {drive(L"C:\\", DRIVE_FIXED, L"", true), drive(L"D:\\", DRIVE_CDROM), drive(L"Z:\\", DRIVE_FIXED)};
    driveIndex = 1;
    const SIZE sizes[] = {{1920, 1080}, {800, 500}};
    for (const SIZE& size : sizes) {
        Canvas canvas(size.cx, size.cy);
        canvas.clear(kOutside);
        drawDriveSelect(canvas.dc(), size.cx, size.cy);
        DriveSelectLayout layout = driveSelectLayout(size.cx, size.cy);
        const RECT &box = layout.box, &list = layout.list;
        int midY = (box.top + box.bottom) / 2;
        SCOPED_TRACE(size.cx);
        EXPECT_EQ(canvas.pixel(box.left - 4, midY), kOutside);
        EXPECT_EQ(canvas.pixel(box.left + 6, box.top + 6), kDialogFill);
        // Box frame 4 px, list frame 2 px, list grey inside.
        int frame = 0;
        for (int x = box.left - 4; x < box.left + 4; ++x) frame += canvas.pixel(x, midY) == kDialogFrame ? 1 : 0;
        EXPECT_EQ(frame, 4);
        int listFrame = 0;
        for (int x = list.left - 4; x < list.left + 4; ++x)
            listFrame += canvas.pixel(x, list.bottom - 4) == kBlack ? 1 : 0;
        EXPECT_EQ(listFrame, 2);
        EXPECT_EQ(canvas.pixel(list.left + 4, list.bottom - 4), kListGrey);
        // Row 1 highlighted: white with a black outline; rows 0 and 2 grey; no fourth row.
        RECT row0 = driveRowRect(layout, 0), row1 = driveRowRect(layout, 1), row2 = driveRowRect(layout, 2);
        EXPECT_EQ(canvas.pixel(row1.right - 6, row1.top + 4), kWhite);
        EXPECT_EQ(canvas.pixel(row1.left, row1.top + 19), kBlack);
        EXPECT_EQ(canvas.pixel(row0.right - 6, row0.top + 4), kListGrey);
        EXPECT_EQ(canvas.pixel(row0.left, row0.top + 19), kListGrey);
        EXPECT_EQ(canvas.pixel(row2.right - 6, row2.top + 4), kListGrey);
        // The 4 pixels between rows stay the list's grey, also around the white row.
        EXPECT_EQ(canvas.pixel(row1.right - 6, row1.bottom + 2), kListGrey);
        EXPECT_EQ(canvas.pixel(row1.right - 6, row1.top - 3), kListGrey);
    }
}

TEST_F(Drives, DrawingScrollsTheHighlightIntoView) {
    for (wchar_t letter = L'A'; letter <= L'T'; ++letter) {
        std::wstring root = std::wstring(1, letter) + L":\\";
        driveList.push_back(drive(root.c_str(), DRIVE_FIXED));
    }
    struct Step {
        int32_t index;
        int32_t scrollAfter;
    };
    // 9 rows visible at 1920 x 1080; the view moves by the least amount.
    const Step steps[] = {{0, 0}, {8, 0}, {15, 7}, {10, 7}, {3, 3}, {19, 11}, {-4, 0}, {40, 11}};
    Canvas canvas(1920, 1080);
    DriveSelectLayout layout = driveSelectLayout(1920, 1080);
    for (const Step& s : steps) {
        driveIndex = s.index;
        canvas.clear(kOutside);
        drawDriveSelect(canvas.dc(), 1920, 1080);
        EXPECT_EQ(driveScroll, s.scrollAfter) << s.index;
        int visible = driveIndex - driveScroll;
        ASSERT_GE(visible, 0);
        ASSERT_LT(visible, layout.rows);
        RECT row = driveRowRect(layout, visible);
        EXPECT_EQ(canvas.pixel(row.right - 6, row.top + 4), kWhite) << s.index;
    }
    // An empty list draws no rows and keeps the highlight at 0.
    driveList.clear();
    driveIndex = 3;
    canvas.clear(kOutside);
    drawDriveSelect(canvas.dc(), 1920, 1080);
    EXPECT_EQ(driveIndex, 0);
    RECT row0 = driveRowRect(layout, 0);
    EXPECT_EQ(canvas.pixel(row0.right - 6, row0.top + 4), kListGrey);
}

}  // namespace
