// The settings file on disk: the exact 44 bytes, what loading accepts and refuses, and that a
// failed write never damages the file that was there.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "fs/paths.h"
#include "settings/settings.h"

namespace {

// The defaults (English, TEAL, YELLOW, BLACK, BOLD, LARGE, LIGHT) as they lie on disk, worked out
// by hand from the record layout: magic, version 1, 0 0 0 0 1 1 0, FNV-1a 0xDEA92195, scrambled.
const uint8_t kDefaultsOnDisk[44] = {
    0x08, 0x27, 0x4B, 0x74, 0x8C, 0xB9, 0xB4, 0xC7, 0x43, 0x67, 0x0B,
    0x30, 0xC0, 0x89, 0xFA, 0xD1, 0x4C, 0x65, 0x6D, 0x17, 0x39, 0xDD,
    0xF5, 0xF7, 0xB2, 0x57, 0x7B, 0x00, 0x31, 0xB9, 0x8A, 0xE1, 0xBD,
    0x55, 0x7D, 0x07, 0x29, 0xCD, 0xE5, 0xE7, 0x37, 0x66, 0xC2, 0xCE,
};
// Italian, NIGHT, MAGENTA, BORDEAUX, NORMAL, VERY LARGE, CYAN: 3 6 5 4 0 2 3, check value 0x99A34B70.
const uint8_t kOtherOnDisk[44] = {
    0x08, 0x27, 0x4B, 0x74, 0x8C, 0xB9, 0xB4, 0xC7, 0x43, 0x67, 0x0B,
    0x30, 0xC3, 0x89, 0xFA, 0xD1, 0x4A, 0x65, 0x6D, 0x17, 0x3C, 0xDD,
    0xF5, 0xF7, 0xB6, 0x57, 0x7B, 0x00, 0x30, 0xB9, 0x8A, 0xE1, 0xBE,
    0x55, 0x7D, 0x07, 0x2A, 0xCD, 0xE5, 0xE7, 0xD2, 0x0C, 0xC8, 0x89,
};

// A record built here from the layout, with its own hash and scrambling, so files of any content
// (wrong version, out-of-range values) can be made.
std::string buildRecord(const int32_t fields[7], uint32_t version = 1) {
    uint8_t bytes[44] = {'T', 'R', 'V', 'S', 'E', 'T', '1', 0};
    auto put = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put(8, version);
    for (int i = 0; i < 7; ++i) put(12 + 4 * i, static_cast<uint32_t>(fields[i]));
    uint32_t hash = 2166136261u;
    for (int i = 0; i < 40; ++i) hash = (hash ^ bytes[i]) * 16777619u;
    put(40, hash);
    const char key[] = "MERIDAN-KOLVE-93";
    for (int i = 0; i < 44; ++i) bytes[i] ^= static_cast<uint8_t>(((i * 31 + 17) % 256) ^ key[i % 16]);
    return std::string(reinterpret_cast<const char*>(bytes), 44);
}

std::string bytesOf(const uint8_t (&bytes)[44]) {
    return std::string(reinterpret_cast<const char*>(bytes), 44);
}

void fieldsOf(const AppSettings& s, int32_t out[7]) {
    const int32_t values[7] = {s.language,  s.backgroundColor, s.selectionBarColor, s.textColor,
                               s.textStyle, s.fontSize,        s.panelBorder};
    std::memcpy(out, values, sizeof values);
}

bool sameSettings(const AppSettings& a, const AppSettings& b) {
    int32_t x[7], y[7];
    fieldsOf(a, x);
    fieldsOf(b, y);
    return std::memcmp(x, y, sizeof x) == 0;
}

const std::string kDefaults = bytesOf(kDefaultsOnDisk);

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { appSettings = AppSettings{}; }
    TempFolder temp;
    std::wstring path = temp / L"torvanecommander.cset";
};

TEST(SettingsRecord, HashAndScrambleAtFixedPoints) {
    uint8_t zeros[40] = {};
    EXPECT_EQ(settingsHash(zeros), 0xEA6207E5u);  // FNV-1a of forty zero bytes
    SettingsRecord record = {};
    scrambleSettings(record);
    const struct {
        int position;
        uint8_t expected;
    } points[] = {
        {0, 17 ^ 'M'}, {1, 48 ^ 'E'}, {15, 226 ^ '3'}, {16, 1 ^ 'M'}, {43, 70 ^ 'V'},
    };
    for (const auto& p : points) EXPECT_EQ(record[p.position], p.expected) << p.position;
    scrambleSettings(record);
    EXPECT_EQ(record, SettingsRecord{}) << "scrambling twice gives the input back";
}

TEST_F(SettingsFile, WrittenBytesAreExact) {
    // The builder below agrees with the hand-worked tables.
    const int32_t defaults[7] = {0, 0, 0, 0, 1, 1, 0};
    const int32_t other[7] = {3, 6, 5, 4, 0, 2, 3};
    ASSERT_EQ(buildRecord(defaults), kDefaults);
    ASSERT_EQ(buildRecord(other), bytesOf(kOtherOnDisk));

    const struct {
        AppSettings settings;
        std::string expected;
    } cases[] = {
        {AppSettings{}, kDefaults},
        {AppSettings{3, 6, 5, 4, 0, 2, 3}, bytesOf(kOtherOnDisk)},
        // The file never holds an out-of-range value: each is pulled to its nearer bound.
        {AppSettings{7, -1, 99, 7, 2, 9, -5}, [] {
             const int32_t clamped[7] = {3, 0, 6, 6, 1, 2, 0};
             return buildRecord(clamped);
         }()},
    };
    for (const auto& c : cases) {
        appSettings = c.settings;
        EXPECT_TRUE(saveSettingsTo(path));
        EXPECT_EQ(readFileBytes(path), c.expected) << c.settings.language << " " << c.settings.fontSize;
    }
}

TEST_F(SettingsFile, LoadAcceptsOrFallsBackToDefaults) {
    const int32_t version2[7] = {1, 1, 1, 1, 1, 1, 1};
    const int32_t italianSeven[7] = {7, 0, 0, 0, 1, 1, 0};
    std::string flipped = bytesOf(kOtherOnDisk);
    const struct {
        const char* name;
        std::string content;  // "<none>": no file at all
        bool accepted;
        AppSettings expected;
    } cases[] = {
        {"valid", bytesOf(kOtherOnDisk), true, AppSettings{3, 6, 5, 4, 0, 2, 3}},
        {"no file", "<none>", false, AppSettings{}},
        {"empty", "", false, AppSettings{}},
        {"43 bytes", bytesOf(kOtherOnDisk).substr(0, 43), false, AppSettings{}},
        {"45 bytes", bytesOf(kOtherOnDisk) + '\0', false, AppSettings{}},
        {"flipped magic byte", std::string(flipped).replace(2, 1, 1, static_cast<char>(flipped[2] ^ 0x01)), false,
         AppSettings{}},
        {"flipped field byte", std::string(flipped).replace(20, 1, 1, static_cast<char>(flipped[20] ^ 0x40)), false,
         AppSettings{}},
        {"flipped check byte", std::string(flipped).replace(43, 1, 1, static_cast<char>(flipped[43] ^ 0x80)), false,
         AppSettings{}},
        {"version 2", buildRecord(version2, 2), false, AppSettings{}},
        {"version 0", buildRecord(version2, 0), false, AppSettings{}},
        {"language 7", buildRecord(italianSeven), true, AppSettings{3, 0, 0, 0, 1, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW(path.c_str());
        if (c.content != "<none>") temp.file(L"torvanecommander.cset", c.content);
        appSettings = AppSettings{2, 2, 2, 2, 0, 0, 2};  // leftovers must not survive a fallback

        EXPECT_EQ(loadSettingsFrom(path), c.accepted);
        EXPECT_TRUE(sameSettings(appSettings, c.expected));
        // An accepted file is left exactly as it was (language 7 stays 7 on disk); a refused one is
        // replaced by the defaults at once.
        EXPECT_EQ(readFileBytes(path), c.accepted ? c.content : kDefaults);
    }
}

TEST_F(SettingsFile, FolderWithTheFileNameStaysAndNothingIsLeftBehind) {
    temp.folder(L"torvanecommander.cset");
    appSettings = AppSettings{1, 1, 1, 1, 1, 1, 1};
    EXPECT_FALSE(loadSettingsFrom(path));
    EXPECT_TRUE(sameSettings(appSettings, AppSettings{}));
    DWORD attributes = GetFileAttributesW(path.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);

    // The failed replace removed its temporary file: the folder holds only the one entry.
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((temp.path() + L"\\*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    std::vector<std::wstring> names;
    do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(names, std::vector<std::wstring>{L"torvanecommander.cset"});
}

TEST_F(SettingsFile, FailedWriteKeepsTheOldFile) {
    const std::string old = bytesOf(kOtherOnDisk);

    // Held open without sharing by another program.
    temp.file(L"torvanecommander.cset", old);
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    appSettings = AppSettings{};
    bool replacedWhileOpen = saveSettingsTo(path);
    CloseHandle(holder);
    EXPECT_FALSE(replacedWhileOpen);
    EXPECT_EQ(readFileBytes(path), old);

    // Read-only (Windows refuses the replace; Wine would allow it, so the program checks).
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    bool replacedReadOnly = saveSettingsTo(path);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(replacedReadOnly);
    EXPECT_EQ(readFileBytes(path), old);

    // Neither attempt left a temporary file beside it.
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((temp.path() + L"\\*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST(SettingsFilePath, BesideTheExecutable) {
    std::wstring exe = ExecutablePath();
    ASSERT_FALSE(exe.empty());
    std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
    EXPECT_EQ(settingsFilePath(), folder + L"torvanecommander.cset");
}

}  // namespace
