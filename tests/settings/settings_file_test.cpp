// The settings file on disk: the exact 44 bytes, what loading accepts and refuses, and that a failed
// write never damages the file that was there.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>

#include "common/temp_folder.h"
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
const AppSettings kOutOfRange{7, -1, 99, 7, 2, 9, -5}, kPulledIn{3, 0, 6, 6, 1, 2, 0};

// A record built here from the format description (little-endian fields, FNV-1a over the first 40
// bytes, XOR scrambling), so files of any content can be made.
std::string buildRecord(const AppSettings& s, uint32_t version = 1, const char* magic = "TRVSET1") {
    std::string bytes(magic, 8);
    auto put = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>(v >> (8 * i));
    };
    put(version);
    for (int32_t field : {s.language, s.backgroundColor, s.selectionBarColor, s.textColor, s.textStyle, s.fontSize,
                          s.panelBorder})
        put(static_cast<uint32_t>(field));
    uint32_t hash = 2166136261u;
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 16777619u;
    put(hash);
    const char key[] = "MERIDAN-KOLVE-93";
    for (int i = 0; i < 44; ++i) bytes[i] ^= static_cast<char>(((i * 31 + 17) % 256) ^ key[i % 16]);
    return bytes;
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
    // The file never holds an out-of-range value: each is pulled to its nearer bound.
    const struct { AppSettings settings; std::string expected; } cases[] = {
        {AppSettings{}, kDefaults}, {kOtherSettings, kOther}, {kOutOfRange, buildRecord(kPulledIn)}};
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
        {"other magic", buildRecord(kOtherSettings, 1, "TRVSET2"), false, AppSettings{}},
        {"version 2", buildRecord(kOtherSettings, 2), false, AppSettings{}},
        {"out of range", buildRecord(kOutOfRange), true, kPulledIn},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW(path.c_str());
        if (c.content != none) temp.file(L"torvanecommander.cset", c.content);
        appSettings = AppSettings{2, 2, 2, 2, 0, 0, 2};  // leftovers must not survive a fallback
        EXPECT_EQ(loadSettingsFrom(path), c.accepted);
        EXPECT_EQ(buildRecord(appSettings), buildRecord(c.expected)) << "all seven fields";
        // An accepted file is left exactly as it was (out-of-range values stay on disk); a refused
        // one is replaced by the defaults at once.
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
    const auto entries = std::filesystem::directory_iterator(temp.path());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1) << "no attempt left a temporary file beside it";
}

}  // namespace
