// The text loader: which encoding, which lines, what is refused, and that what it loads writes
// back to the same bytes.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "common/app_state.h"
#include "common/temp_folder.h"
#include "viewer/text_load.h"

namespace {

using std::string_literals::operator""s;

std::wstring joined(const wchar_t* separator = L"|") {
    std::wstring all;
    for (size_t i = 0; i < loadedText.lines.size(); ++i) all += (i ? separator : L"") + loadedText.lines[i];
    return all;
}

constexpr auto NotText = static_cast<TextEncoding>(-1);
constexpr int Same = 0, Unsafe = 1, Mixed = 2;  // the same bytes; refused; other breaks (the two flags)
const wchar_t* const kBreaks[] = {L"\r\n", L"\n", L"\r"};  // by LineEndingStyle

TEST(TextLoad, EncodingsLinesAndRefusals) {
    // lines: joined by |, null where they depend on the ANSI code page; save: what a save of the
    // unchanged document writes
    const struct { std::string bytes; TextEncoding encoding; const wchar_t* lines; LineEndingStyle style; int save; } cases[] = {
        {"", TextEncoding::Utf8, L"", LineEndingStyle::CrLf, Same},
        {"\xFF\xFE", TextEncoding::Utf16LeBom, L"", LineEndingStyle::CrLf, Same},
        {"\xFF\xFE" "a\0\n\0"s, TextEncoding::Utf16LeBom, L"a|", LineEndingStyle::Lf, Same},
        {"\xFE\xFF\0a\0\r"s, TextEncoding::Utf16BeBom, L"a|", LineEndingStyle::Cr, Same},
        {"a\0b\0c\0\r\0\n\0"s, TextEncoding::Utf16Le, L"abc|", LineEndingStyle::CrLf, Same},
        {"\0a\0b"s, TextEncoding::Utf16Be, L"ab", LineEndingStyle::CrLf, Same},
        {"abcd", TextEncoding::Utf8, L"abcd", LineEndingStyle::CrLf, Same},
        {"\xEF\xBB\xBFx\r\ny", TextEncoding::Utf8Bom, L"x|y", LineEndingStyle::CrLf, Same},
        {"one\r\ntwo\nthree\n", TextEncoding::Utf8, L"one|two|three|", LineEndingStyle::Lf, Mixed},
        {"a\r\nb\nc\r\n", TextEncoding::Utf8, L"a|b|c|", LineEndingStyle::CrLf, Mixed},
        {"a\nb\rc", TextEncoding::Utf8, L"a|b|c", LineEndingStyle::Lf, Mixed},  // a tie: LF before CR
        {"x,\"a\nb\"\r\ny\r\n", TextEncoding::Utf8, L"x,\"a|b\"|y|", LineEndingStyle::CrLf, Mixed},  // a cell's break
        {"\xFE\xFF\0a\0\r\0b\0\r\0c\0\n"s, TextEncoding::Utf16BeBom, L"a|b|c|", LineEndingStyle::Cr, Mixed},
        {"\tx\xC3\xA9\xF0\x9F\x98\x80", TextEncoding::Utf8, L"    x\u00E9\U0001F600", LineEndingStyle::CrLf, Same},
        {"caf\xE9", TextEncoding::Ansi, nullptr, LineEndingStyle::CrLf, Same},
        {"\xEF\xBB\xBFok\xFF", TextEncoding::Utf8Bom, nullptr, LineEndingStyle::CrLf, Unsafe},
        {std::string(4096, 'a') + "\0"s, TextEncoding::Utf8, nullptr, LineEndingStyle::CrLf, Same},
        {"abcdefgh\x01\x02", TextEncoding::Utf8, L"abcdefgh\x01\x02", LineEndingStyle::CrLf, Same},
        {"abcdefg\x01\x02", NotText, nullptr, LineEndingStyle::CrLf, Same},
        {"\xFF\xFE" "a"s, NotText, nullptr, LineEndingStyle::CrLf, Same},
        {"\xFF\xFE" "a\0\0\0"s, NotText, nullptr, LineEndingStyle::CrLf, Same},
        {"\xFF\xFE\x00\xD8"s, NotText, nullptr, LineEndingStyle::CrLf, Same},
        {"a\0b"s, NotText, nullptr, LineEndingStyle::CrLf, Same},
    };
    for (const auto& c : cases) {
        std::string shown = c.bytes.substr(0, 16), saved;
        LoadOutcome outcome = loadTextBytes(c.bytes, true, false);
        if (c.encoding == NotText) {
            EXPECT_TRUE(outcome == LoadOutcome::NotText && GetLastError() == 0) << shown;
            continue;
        }
        ASSERT_EQ(outcome, LoadOutcome::Loaded) << shown;
        EXPECT_EQ(loadedText.encoding, c.encoding) << shown;
        EXPECT_EQ(c.lines ? joined() : L"", c.lines ? c.lines : L"") << shown;
        EXPECT_EQ(loadedText.lineEnding, c.style) << shown;
        EXPECT_EQ(loadedText.unsafeToSave * Unsafe + loadedText.mixedLineBreaks * Mixed, c.save) << shown;
        loadTextBytes(c.bytes, false, false);
        EXPECT_EQ(encodeText(joined(kBreaks[static_cast<int>(c.style)]), c.encoding, saved) && saved == c.bytes,
                  c.save == Same) << shown;
    }
}

// Units of 'a' with `odd` units of another value among them, little-endian.
std::string units(size_t count, wchar_t odd, size_t odds) {
    std::string bytes;
    for (size_t i = 0; i < count; ++i) {
        wchar_t unit = i < odds ? odd : L'a';
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// One zero unit in twenty, one control unit in ten, a third ASCII with the rest plausible; under four bytes.
TEST(TextLoad, TheUtf16SamplingRuleAtItsBounds) {
    for (auto [count, odd, odds, utf16] : {std::tuple{20, 0, 1, true}, {20, 0, 2, false}, {10, 1, 1, true}, {10, 1, 2, false},
                                           {9, 0x4E00, 6, true}, {9, 0x4E00, 7, false}, {1, 'a', 0, false}})
        EXPECT_EQ(looksLikeUtf16(units(count, odd, odds), false), utf16) << count << " units, " << odds << " odd";
}

using TextFileTest = AppTest;

TEST_F(TextFileTest, TheCapTheMarkerAndTheOutcomes) {
    TempFolder temp;
    bool partial = true;
    for (uint32_t size : {kTextReadCap, kTextReadCap + 1}) {
        std::wstring path = temp.file(L"f" + std::to_wstring(size) + L".txt", std::string(size, 'x'));
        ASSERT_EQ(loadTextFile(path, true, partial), LoadOutcome::Loaded);
        EXPECT_EQ(partial, size > kTextReadCap);
        EXPECT_EQ(loadedText.lines.back(), partial ? L"--- File truncated to first 256 KB ---" : std::wstring(size, L'x'));
    }
    EXPECT_EQ(loadTextFile(temp / L"missing.txt", true, partial), LoadOutcome::ReadFailed);
    EXPECT_TRUE(GetLastError() == ERROR_FILE_NOT_FOUND && !partial);
}

TEST(TextLoad, NamesOfTextAndSourceFiles) {
    for (const wchar_t* name : {L"a.TXT", L"Readme.MD", L"proj.vcxproj.filters", L".txt", L"x.yaml"})
        EXPECT_TRUE(isSupportedTextName(name)) << name;
    for (const wchar_t* name : {L"notes.txt.bak", L"archive.txt.gz", L"README", L"data.bin", L"txt"})
        EXPECT_FALSE(isSupportedTextName(name)) << name;
}

// Random and mutated buffers: never a crash, never a fourth outcome, never a document without a line.
// Among the mutations: halves of surrogate pairs, pairs cut at the end or between their bytes, and
// byte-order marks anywhere but the start. A document loaded through its mark and not marked unsafe
// saves to bytes that load as the same lines.
TEST(TextLoad, FuzzedBuffersAlwaysGiveAnOutcome) {
    std::mt19937 random(20261207);
    const std::string seeds[] = {"\xFF\xFE" "a\0b\0"s, "\xFE\xFF\0a"s, "\xEF\xBB\xBFtext\r\n", "a\0b\0c\0"s, "plain\n",
                                 "\xFF\xFE" "a\0\x3D\xD8\x00\xDE"s, "\xFE\xFF\xD8\x3D\xDE\x00\0\n"s,
                                 "\xFF\xFE\x3D\xD8"s, "\xFE\xFF\0a\xDC\x00"s, "x\0\x3D\xD8\x00\xDE\r\0"s};
    const std::string marks[] = {"\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF", "\xEF\xBB", "\xFF"};
    int saves = 0;
    for (int round = 0; round < 100000; ++round) {
        std::string bytes = round % 2 ? seeds[round % 10] : std::string();
        size_t extra = random() % 24;
        for (size_t i = 0; i < extra; ++i) bytes += static_cast<char>(random() % 8 ? random() % 256 : random() % 3);
        if (!bytes.empty() && round % 3 == 0) bytes[random() % bytes.size()] ^= static_cast<char>(1 << (random() % 8));
        if (round % 4 == 1) bytes.insert(random() % (bytes.size() + 1), marks[random() % 5]);
        if (round % 5 == 2) {  // half a pair, either byte order, at an even or odd offset
            uint16_t unit = static_cast<uint16_t>(0xD800 + random() % 0x800);
            char half[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
            if (random() % 2) std::swap(half[0], half[1]);
            bytes.insert(random() % (bytes.size() + 1), half, 2);
        }
        if (!bytes.empty() && round % 6 == 3) bytes.resize(random() % bytes.size());  // cut anywhere
        bool partial = round % 7 == 0;
        LoadOutcome outcome = loadTextBytes(bytes, round % 2 == 0, partial);
        ASSERT_TRUE(outcome == LoadOutcome::Loaded || outcome == LoadOutcome::NotText) << "round " << round;
        ASSERT_TRUE(outcome == LoadOutcome::NotText || !loadedText.lines.empty()) << "round " << round;
        TextEncoding encoding = loadedText.encoding;
        if (outcome != LoadOutcome::Loaded || loadedText.unsafeToSave) continue;
        std::string saved;
        ASSERT_TRUE(encodeText(joined(kBreaks[static_cast<int>(loadedText.lineEnding)]), encoding, saved)) << round;
        // Tabs kept and nothing said at opening: an unchanged save writes the very bytes read, so no
        // unit was lost.
        ASSERT_TRUE(partial || round % 2 == 0 || loadedText.mixedLineBreaks || saved == bytes) << "round " << round;
        if (encoding != TextEncoding::Utf8Bom && encoding != TextEncoding::Utf16LeBom &&
            encoding != TextEncoding::Utf16BeBom)
            continue;
        ++saves;
        const std::vector<std::wstring> lines = loadedText.lines;
        ASSERT_EQ(loadTextBytes(saved, false, false), LoadOutcome::Loaded) << "round " << round;
        ASSERT_TRUE(loadedText.encoding == encoding && loadedText.lines == lines) << "round " << round;
    }
    EXPECT_GT(saves, 5000) << "the mix must reach the save often";
}

}  // namespace
