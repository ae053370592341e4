#pragma once
// The user's seven choices, the drawing theme derived from them, and the 44-byte settings file
// "torvanecommander.cset" beside the executable. settings/ stands on fs/ alone.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct AppSettings {
    int32_t language = 0;           // 0..3
    int32_t backgroundColor = 0;    // 0..6 colour scheme
    int32_t selectionBarColor = 0;  // 0..6
    int32_t textColor = 0;          // 0..6
    int32_t textStyle = 1;          // 0 normal, 1 bold
    int32_t fontSize = 1;           // 0..2
    int32_t panelBorder = 0;        // 0..3
};
extern AppSettings appSettings;

// Colours, font heights and row height every drawing reads. Starts at the defaults' values.
struct Theme {
    COLORREF windowBackground, panelBackground, headerBackground, keyBarBackground, keyButtonFill,
        dialogBackground;
    COLORREF selectionBarFill, selectionBarText;
    COLORREF activePanelFrame, dialogFrame;
    COLORREF textForeground, statusForeground;
    int fontHeight, smallFontHeight, rowHeight;
};
extern Theme theme;

// Number of choices per field (the largest index is one less).
constexpr int kLanguageCount = 4, kBackgroundCount = 7, kSelectionBarCount = 7, kTextColorCount = 7,
              kTextStyleCount = 2, kFontSizeCount = 3, kPanelBorderCount = 4;

// Pulls every field into its range: below 0 to 0, above the range to the largest index.
void clampSettings();
void clampSettings(AppSettings& settings);
// Recompute their part of the Theme from appSettings. An index outside a table uses its last row.
void applyColorScheme();  // backgrounds, selection bar, panel/dialog frame
void applyTextColor();    // text and status colour
void applyFontSize();     // font heights and row height; the caller recreates the fonts
void applyTheme();        // all three

// --- the settings file ---
constexpr size_t kSettingsRecordSize = 44;
using SettingsRecord = std::array<uint8_t, kSettingsRecordSize>;

// Folder of the executable + "torvanecommander.cset"; the bare name when the path is unknown.
std::wstring settingsFilePath();
// 32-bit FNV-1a over the first 40 bytes of a record.
uint32_t settingsHash(const uint8_t* bytes40);
// XOR scrambling of all 44 bytes; applying it twice gives the input back.
void scrambleSettings(SettingsRecord& record);
// The scrambled record for the given settings (clamped first).
SettingsRecord encodeSettings(AppSettings settings);
// Unscrambles and validates magic, version and check value; false leaves `out` alone.
bool decodeSettings(const SettingsRecord& scrambled, AppSettings& out);
// True only when exactly 44 bytes were read from the file at `path`.
bool readSettingsFile(const std::wstring& path, std::vector<uint8_t>& out);
// Sets appSettings from the bytes of a settings file: the record's values, pulled into range, when
// the bytes are exactly one valid record, else the defaults. True when the record was accepted.
bool settingsFromBytes(const std::vector<uint8_t>& bytes);
// Writes appSettings (clamped) through a temporary file and an atomic replace; silent on failure.
void saveSettings();
// Sets appSettings from the file, or to the defaults (and writes a fresh file) when it is unusable.
void loadSettings();
// The same two at a given path. saveSettingsTo returns true when the file was replaced;
// loadSettingsFrom returns true when the file was accepted (false: defaults, file rewritten).
bool saveSettingsTo(const std::wstring& path);
bool loadSettingsFrom(const std::wstring& path);
