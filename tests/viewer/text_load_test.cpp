// The text loader: which encoding, which lines, what is refused, and that what it loads writes
// back to the same bytes.
// F3 on real files: what each refusal says.
#include <gtest/gtest.h>

#include <string>

#include "common/app_state.h"
#include "common/keys.h"
#include "common/temp_folder.h"
#include "fs/handles.h"
#include "panels/panels.h"
#include "ui/state.h"
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

class ViewerTest : public AppTest {
protected:
    TempFolder temp;

    std::wstring openOn(const std::wstring& name) {
        showPanels(temp.path(), temp.path(), name);
        std::wstring status = press({VK_F3});
        return screenMode == ScreenMode::MessageBox ? messageTitle + L" " + messageText : status;
    }
};

TEST_F(ViewerTest, OpeningSaysWhyItRefuses) {
    temp.file(L"data.bin", "plain words");
    temp.file(L"nul.txt", std::string(64, '\0'));
    temp.file(L"locked.txt", "words");
    temp.file(L"fine.md", "one\ntwo");
    FileHandle lock(CreateFileW((temp / L"locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock.valid());
    const struct { const wchar_t* name; const wchar_t* said; ScreenMode mode; } cases[] = {
        {L"..", L"F3 READ works for files only.", ScreenMode::MainView},
        {L"data.bin", L"UNSUPPORTED FILE TYPE F3 opens text/source files only.", ScreenMode::MessageBox},
        {L"nul.txt", L"BINARY FILE This file does not look like a text file.", ScreenMode::MessageBox},
        {L"locked.txt", L"READ ERROR File could not be read.", ScreenMode::MessageBox},
        {L"fine.md", L"F3 READ: fine.md", ScreenMode::Viewer},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(openOn(c.name), c.said);
        EXPECT_EQ(screenMode, c.mode) << c.name;
        EXPECT_EQ(loadedText.lines.size(), c.mode == ScreenMode::Viewer ? 2u : 0u) << c.name;
        std::wstring closed = press({VK_ESCAPE});
        EXPECT_TRUE(c.mode != ScreenMode::Viewer || closed == L"Viewer closed.") << closed;
        EXPECT_TRUE(loadedText.lines.empty() && loadedText.fullPath.empty()) << "closing empties the document";
    }
}

}  // namespace
