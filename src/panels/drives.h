#pragma once
// Drive selection (F9): the list of drives Windows reports, drawn over the main view; Enter opens
// the highlighted drive's root in the active panel.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "settings/language.h"

struct DriveInfo {
    std::wstring root;       // as GetLogicalDriveStringsW reports it, separator included
    uint32_t driveType = 0;  // GetDriveTypeW of the root
    std::wstring label;      // volume label; empty when not asked for or not available
    bool isActive = false;   // the drive of the active panel's folder
};

extern std::vector<DriveInfo> driveList;
extern int32_t driveIndex;   // highlighted row
extern int32_t driveScroll;  // first visible row; only the drawing moves it, a rebuild keeps it

// Texts of the screen, exposed for the checks of all four languages.
extern const LocalizedText kDriveSelectOpened, kDriveSelectClosed, kDriveOpened, kNoDrivesTitle,
    kNoDrivesText, kSelectDriveTitle, kDriveSelectHint, kActiveDriveWord;

// Fills driveList from GetLogicalDriveStringsW, sorted by root, with driveIndex on the active
// panel's drive (0 when none is active). Labels are read only for removable and fixed drives,
// with the system's error boxes off. Nothing on failure: an empty list.
void buildDriveList();
// Start state: no list, first row highlighted and on top.
void resetDriveSelect();
// F9 in the main view: builds the list and opens it, or a message box when there are no drives.
void openDriveSelect(HWND window);
// ESC or F9 in the list: back to the main view; the list stays until the next F9.
void closeDriveSelect(HWND window);
// Enter: the active panel opens the highlighted root (cursor 0, marks dropped), even when it
// already shows that drive; an unreadable drive leaves the panel's error text.
void chooseDrive(HWND window);
// Keys of the open list: ESC/F9 close, Up/Down/Home/End move, Enter opens; others do nothing.
void driveSelectKey(HWND window, UINT key);

// "REMOVABLE", "FIXED", "NETWORK", "CD/DVD", "RAMDISK", else "UNKNOWN", in the current language.
std::wstring driveTypeName(uint32_t driveType);
// Root, type, label if any and the active word if active, separated by three blanks.
std::wstring driveRowText(const DriveInfo& drive);

// Where the list draws for a w x h frame: the box, the list area and how many rows fit.
struct DriveSelectLayout {
    RECT box;
    RECT list;
    int rows;
};
DriveSelectLayout driveSelectLayout(int w, int h);
// The rectangle of visible row i (0 is the row at driveScroll).
RECT driveRowRect(const DriveSelectLayout& layout, int i);
// Draws the list over the main view; keeps driveIndex inside the list and in view.
void drawDriveSelect(HDC dc, int w, int h);
