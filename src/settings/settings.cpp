#include "settings/settings.h"

#include <algorithm>

AppSettings appSettings;

namespace {

struct Scheme {
    COLORREF window, panel, header, keyBar, keyButton, dialog;
};

constexpr COLORREF rgb(uint32_t hex) {
    return RGB((hex >> 16) & 0xFF, (hex >> 8) & 0xFF, hex & 0xFF);
}

const Scheme kSchemes[kBackgroundCount] = {
    {rgb(0x008080), rgb(0x009696), rgb(0x007676), rgb(0x008C8C), rgb(0x00AAAA), rgb(0x00A5A5)},  // TEAL
    {rgb(0x005F5F), rgb(0x007878), rgb(0x004B4B), rgb(0x006969), rgb(0x009191), rgb(0x008787)},  // DARK TEAL
    {rgb(0x698782), rgb(0x82A5A0), rgb(0x5A7873), rgb(0x739691), rgb(0x91B4AF), rgb(0x96B9B4)},  // GRAY TEAL
    {rgb(0x00506E), rgb(0x00698C), rgb(0x00415A), rgb(0x005A78), rgb(0x007DA5), rgb(0x00789B)},  // PETROL
    {rgb(0x5F7341), rgb(0x7D9155), rgb(0x4B5F2D), rgb(0x697D4B), rgb(0x91A569), rgb(0x879B5F)},  // OLIVE
    {rgb(0xB4A078), rgb(0xCDB98C), rgb(0x9B875F), rgb(0xBEAA82), rgb(0xDCC89B), rgb(0xD7C396)},  // SAND
    {rgb(0x232D37), rgb(0x374652), rgb(0x19232D), rgb(0x2D3A46), rgb(0x4B5A69), rgb(0x41505F)},  // NIGHT
};

struct BarColors {
    COLORREF fill, text;
};
const BarColors kBars[kSelectionBarCount] = {
    {rgb(0xFFE600), rgb(0x000000)}, {rgb(0xFFFFFF), rgb(0x000000)}, {rgb(0xFFAA00), rgb(0x000000)},
    {rgb(0x00FF78), rgb(0x000000)}, {rgb(0x00DCFF), rgb(0x000000)}, {rgb(0xC800C8), rgb(0xFFFFFF)},
    {rgb(0xB40000), rgb(0xFFFFFF)},
};

const COLORREF kTextColors[kTextColorCount] = {rgb(0x000000), rgb(0xFFFFFF), rgb(0x000082), rgb(0x005000),
                                               rgb(0x780000), rgb(0xFFE600), rgb(0x282828)};
const COLORREF kBorders[kPanelBorderCount] = {rgb(0xFFFFFF), rgb(0x000000), rgb(0xFFE600), rgb(0x00FFFF)};

struct FontRow {
    int font, small, row;
};
const FontRow kFontSizes[kFontSizeCount] = {{26, 18, 32}, {30, 20, 36}, {34, 22, 42}};

// Index into a table of n rows; outside it, the last row.
int row(int32_t index, int n) {
    return (index < 0 || index >= n) ? n - 1 : index;
}

int32_t clampTo(int32_t value, int count) {
    return std::clamp<int32_t>(value, 0, count - 1);
}

}  // namespace

// The defaults' values, so nothing reads a zero height or colour before start-up applies them.
Theme theme = {
    rgb(0x008080), rgb(0x009696), rgb(0x007676), rgb(0x008C8C), rgb(0x00AAAA), rgb(0x00A5A5),
    rgb(0xFFE600), rgb(0x000000),
    rgb(0xFFFFFF), rgb(0xFFFFFF),
    rgb(0x000000), rgb(0x000000),
    30, 20, 36,
};

void clampSettings(AppSettings& settings) {
    settings.language = clampTo(settings.language, kLanguageCount);
    settings.backgroundColor = clampTo(settings.backgroundColor, kBackgroundCount);
    settings.selectionBarColor = clampTo(settings.selectionBarColor, kSelectionBarCount);
    settings.textColor = clampTo(settings.textColor, kTextColorCount);
    settings.textStyle = clampTo(settings.textStyle, kTextStyleCount);
    settings.fontSize = clampTo(settings.fontSize, kFontSizeCount);
    settings.panelBorder = clampTo(settings.panelBorder, kPanelBorderCount);
}

void clampSettings() {
    clampSettings(appSettings);
}

void applyColorScheme() {
    const Scheme& s = kSchemes[row(appSettings.backgroundColor, kBackgroundCount)];
    theme.windowBackground = s.window;
    theme.panelBackground = s.panel;
    theme.headerBackground = s.header;
    theme.keyBarBackground = s.keyBar;
    theme.keyButtonFill = s.keyButton;
    theme.dialogBackground = s.dialog;
    const BarColors& bar = kBars[row(appSettings.selectionBarColor, kSelectionBarCount)];
    theme.selectionBarFill = bar.fill;
    theme.selectionBarText = bar.text;
    theme.activePanelFrame = theme.dialogFrame = kBorders[row(appSettings.panelBorder, kPanelBorderCount)];
}

void applyTextColor() {
    theme.textForeground = theme.statusForeground = kTextColors[row(appSettings.textColor, kTextColorCount)];
}

void applyFontSize() {
    const FontRow& f = kFontSizes[row(appSettings.fontSize, kFontSizeCount)];
    theme.fontHeight = f.font;
    theme.smallFontHeight = f.small;
    theme.rowHeight = f.row;
}

void applyTheme() {
    applyColorScheme();
    applyTextColor();
    applyFontSize();
}
