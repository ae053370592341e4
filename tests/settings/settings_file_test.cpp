// The settings file on disk: the exact 44 bytes, what loading accepts and refuses, and that a
// failed write never damages the file that was there.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/temp_folder.h"
#include "fs/paths.h"
#include "settings/settings.h"

namespace {

// The defaults (English, TEAL, YELLOW, BLACK, BOLD, LARGE, LIGHT) as they lie on disk, worked out
// by hand from the record layout: magic, version 1, 0 0 0 0 1 1 0, FNV-1a 0xDEA92195, scrambled.
const std::string kDefaults(
    "\x08\x27\x4B\x74\x8C\xB9\xB4\xC7\x43\x67\x0B\x30\xC0\x89\xFA\xD1\x4C\x65\x6D\x17\x39\xDD"
    "\xF5\xF7\xB2\x57\x7B\x00\x31\xB9\x8A\xE1\xBD\x55\x7D\x07\x29\xCD\xE5\xE7\x37\x66\xC2\xCE", 44);
// Italian, NIGHT, MAGENTA, BORDEAUX, NORMAL, VERY LARGE, CYAN: 3 6 5 4 0 2 3, check value 0x99A34B70.
const std::string kOther(
    "\x08\x27\x4B\x74\x8C\xB9\xB4\xC7\x43\x67\x0B\x30\xC3\x89\xFA\xD1\x4A\x65\x6D\x17\x3C\xDD"
    "\xF5\xF7\xB6\x57\x7B\x00\x30\xB9\x8A\xE1\xBE\x55\x7D\x07\x2A\xCD\xE5\xE7\xD2\x0C\xC8\x89", 44);
const AppSettings kOtherSettings{3, 6, 5, 4, 0, 2, 3};

// A record built here from the format description (little-endian fields, FNV-1a over the first 40
// bytes, XOR scrambling), so files of any content can be made.
std::string buildRecord(const AppSettings& s, uint32_t version = 1) {
    uint8_t bytes[44] = {'T', 'R', 'V', 'S', 'E', 'T', '1', 0};
    auto put = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    const int32_t fields[7] = {s.language, s.backgroundColor, s.selectionBarColor, s.textColor,
                               s.textStyle, s.fontSize, s.panelBorder};
    put(8, version);
    for (int i = 0; i < 7; ++i) put(12 + 4 * i, static_cast<uint32_t>(fields[i]));
    uint32_t hash = 2166136261u;
    for (int i = 0; i < 40; ++i) hash = (hash ^ bytes[i]) * 16777619u;
    put(40, hash);
    const char key[] = "MERIDAN-KOLVE-93";
    for (int i = 0; i < 44; ++i) bytes[i] ^= static_cast<uint8_t>(((i * 31 + 17) % 256) ^ key[i % 16]);
    return std::string(reinterpret_cast<const char*>(bytes), 44);
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { appSettings = AppSettings{}; }
    void TearDown() override { appSettings = AppSettings{}; }
    TempFolder temp;
    std::wstring path = temp / L"torvanecommander.cset";
};

TEST_F(SettingsFile, WrittenBytesAreExact) {
    ASSERT_EQ(buildRecord(AppSettings{}), kDefaults) << "the builder agrees with the hand-worked records";
    ASSERT_EQ(buildRecord(kOtherSettings), kOther);
    const struct { AppSettings settings; std::string expected; } cases[] = {
        {AppSettings{}, kDefaults},
        {kOtherSettings, kOther},
        // The file never holds an out-of-range value: each is pulled to its nearer bound.
        {AppSettings{7, -1, 99, 7, 2, 9, -5}, buildRecord(AppSettings{3, 0, 6, 6, 1, 2, 0})},
    };
    for (const auto& c : cases) {
        appSettings = c.settings;
        EXPECT_TRUE(saveSettingsTo(path));
        EXPECT_EQ(readFileBytes(path), c.expected) << c.settings.language;
    }
}

TEST_F(SettingsFile, LoadAcceptsOrFallsBackToDefaults) {
    const std::string none = "<none>";  // no file at all
    const struct { const char* name; std::string content; bool accepted; AppSettings expected; } cases[] = {
        {"valid", kOther, true, kOtherSettings},
        {"no file", none, false, AppSettings{}},
        {"43 bytes", kOther.substr(0, 43), false, AppSettings{}},
        {"45 bytes", kOther + '\0', false, AppSettings{}},
        {"flipped field byte", kOther.substr(0, 20) + char(kOther[20] ^ 0x40) + kOther.substr(21), false, {}},
        {"version 2", buildRecord(AppSettings{1, 1, 1, 1, 1, 1, 1}, 2), false, AppSettings{}},
        {"language 7", buildRecord(AppSettings{7, 0, 0, 0, 1, 1, 0}), true, AppSettings{3, 0, 0, 0, 1, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW(path.c_str());
        if (c.content != none) temp.file(L"torvanecommander.cset", c.content);
        appSettings = AppSettings{2, 2, 2, 2, 0, 0, 2};  // leftovers must not survive a fallback
        EXPECT_EQ(loadSettingsFrom(path), c.accepted);
        EXPECT_EQ(buildRecord(appSettings), buildRecord(c.expected)) << "all seven fields";
        // An accepted file is left exactly as it was (language 7 stays 7 on disk); a refused one is
        // replaced by the defaults at once.
        EXPECT_EQ(readFileBytes(path), c.accepted ? c.content : kDefaults);
    }
}

TEST_F(SettingsFile, FailedWriteKeepsTheOldFileAndLeavesNothingBehind) {
    temp.file(L"torvanecommander.cset", kOther);  // held open without sharing by another program
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    bool replacedWhileOpen = saveSettingsTo(path);
    CloseHandle(holder);
    EXPECT_FALSE(replacedWhileOpen);
    EXPECT_EQ(readFileBytes(path), kOther);
    // No attempt left a temporary file beside its target.
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((temp / L"*").c_str(), &found);
    int entries = 0;
    do entries += found.cFileName[0] != L'.' ? 1 : 0;
    while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(entries, 1);
}

TEST(SettingsFilePath, BesideTheExecutable) {
    std::wstring exe = ExecutablePath();
    EXPECT_EQ(settingsFilePath(), exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"torvanecommander.cset");
}

}  // namespace
