// Saving on real files under Wine: every encoding and break comes back byte for byte, and no refusal
// or failing step harms the file or leaves a temporary file beside it.
#include <gtest/gtest.h>

#include <tuple>

#include "common/app_state.h"
#include "common/keys.h"
#include "common/links.h"
#include "common/temp_folder.h"
#include "editor/buffer.h"
#include "editor/editor.h"
#include "editor/save.h"
#include "fs/file_ops.h"
#include "panels/panels.h"
#include "ui/state.h"

namespace {

using std::string_literals::operator""s;

class SaveTest : public AppTest {
protected:
    TempFolder temp;
    const std::wstring path = temp / L"doc.txt";

    // doc.txt holding `bytes`, opened with F4, then edited: `line` (unless empty) becomes line 1. The
    // panel is emptied, so what it shows after a save is the save's own listing. Returns what F4 said.
    std::wstring open(const std::string& bytes, const std::wstring& line = L"new") {
        temp.file(L"doc.txt", bytes);
        showPanels(temp.path(), temp.path(), L"doc.txt");
        screenMode = ScreenMode::MainView;
        std::wstring said = press({VK_F4});
        resetPanels(temp.path(), temp.path());
        takeSnapshot();
        editor.modified = true;
        if (!line.empty()) loadedText.lines[0] = line;
        return said;
    }
    static std::wstring temporaryLeft(const std::wstring& folder) { return temporaryItem(folder, L".torvane_save_*"); }
};

// F2 and Enter on each break with and without a last one, and on an empty document, through a link:
// on Windows and under Wine (where a rename onto a Unix symlink replaces it) the link stays.
TEST_F(SaveTest, EveryEncodingAndBreakComesBackByteForByte) {
    const std::wstring real = temp.file(L"real\\doc.txt");
    FolderLink link(path, real, false);
    const std::wstring& file = link.made() ? real : path;
    for (int e = 0; e <= 6; ++e) {
        if (e == 6 && GetACP() == CP_UTF8) continue;  // ANSI would read as UTF-8
        for (auto text : {L"\u00E9\r\n\tb", L"\u00E9\r\n\tb\r\n", L"\u00E9\nb", L"\u00E9\nb\n", L"\u00E9\rb",
                          L"\u00E9\rb\r", L""}) {
            std::string bytes, what = std::to_string(e) + " " + std::to_string(wcslen(text));
            ASSERT_TRUE(encodeText(text, TextEncoding(e), bytes));
            open(bytes, L"");
            std::wstring said = press({VK_F2, VK_RETURN});
            const DirEntry* at = cursorEntry(activePanel());
            EXPECT_TRUE(said == L"File saved: doc.txt" && at && at->name == L"doc.txt") << what;
            EXPECT_TRUE(readFileBytes(file) == bytes && readFileBytes(file + L".bak") == bytes) << what;
            EXPECT_TRUE(!editor.modified && editor.undoHistory.empty() && temporaryLeft(temp.path()).empty()) << what;
            EXPECT_TRUE(!link.made() || (SameFileIdentity(path, real) && temporaryLeft(temp / L"real").empty())) << what;
        }
    }
}

// Leaving, and Enter on YES, with an older .bak beside the file. A folder or a read-only file in the
// .bak's place reads as read-only; the .bak takes its name by a rename only when whole. 112: the disk is full.
TEST_F(SaveTest, RefusalsAndFailuresLeaveTheFileAndNoTemporary) {
    enum Twist { None, ReadOnly, HeldOpen, BackupFolder, Partial, Deleted, ReadOnlyBackup, BackupCheckFails };
    constexpr FileCall none = FileCall::Count;
    const struct { const char* bytes; const wchar_t* line; Twist twist; FileCall fails; bool bak; const wchar_t* said; }
        cases[] = {
        {"\xEF\xBB\xBFok\xFF", L"new", None, none, false,
         L"Save blocked: the file's bytes cannot be written back unchanged."},
        {"old", L"new", ReadOnly, none, false, L"Save blocked: file is read-only."},
        {"old", L"new", Partial, none, false, L"Save blocked: file was loaded only partially."},
        {"old", L"new", Deleted, none, false, L"Save failed. Windows error: 2"},
        {"old", L"new", HeldOpen, none, false, L"Save blocked: file is locked or access was denied. Windows error: 32"},
        {"old", L"new", BackupFolder, none, false, L"Save blocked: file is read-only."},
        {"old", L"new", None, FileCall::CreateNew, true, L"Save failed. Windows error: 112"},
        {"old", L"new", None, FileCall::Write, true, L"Save failed. Windows error: 112"},
        {"old", L"new", None, FileCall::Move, false, L"Backup failed. Save canceled. Windows error: 112"},
        {"old", L"new", None, FileCall::ReadSecurity, true, L"Save failed. Windows error: 112"},
        {"old", L"new", None, FileCall::SetTimes, true, L"Save failed. Windows error: 112"},
        {"old", L"new", BackupCheckFails, none, false, L"Backup failed. Save canceled. Windows error: 112"},
        {"old", L"new", ReadOnlyBackup, none, false, L"Save blocked: file is read-only."},
        {"caf\xE9", L"\u0141", None, none, false, L"Save failed. Windows error: 1113"},  // ANSI; best fit gives L
        {"old", L"a\xD800", None, none, false, L"Save failed. Windows error: 1113"},     // UTF-8, a lone half
    };
    for (const auto& c : cases) {
        std::string ansi;
        if (c.line[0] == L'\u0141' && (GetACP() == CP_UTF8 || encodeText(c.line, TextEncoding::Ansi, ansi))) continue;
        open(c.bytes, c.line);
        if (c.twist == BackupFolder) temp.folder(L"doc.txt.bak");
        else temp.file(L"doc.txt.bak", "older");
        if (c.twist == ReadOnlyBackup) SetPathAttributes(path + L".bak", FILE_ATTRIBUTE_READONLY);
        if (c.twist == ReadOnly) SetPathAttributes(path, FILE_ATTRIBUTE_READONLY);
        if (c.twist == Partial) editor.partial = true;
        if (c.twist == Deleted) DeleteFilePath(path);
        if (c.fails != none) InjectFailure(c.fails, 1, ERROR_DISK_FULL);
        if (c.twist == BackupCheckFails) InjectFailure(FileCall::GetAttributes, 2, ERROR_DISK_FULL);
        FileHandle holder = c.twist == HeldOpen ? OpenForReading(path) : FileHandle();  // sharing reads only
        std::wstring said = press({VK_ESCAPE, VK_RETURN});
        ClearInjectedFailures();
        EXPECT_TRUE(said == c.said && screenMode == ScreenMode::Editor && editor.modified) << said;
        std::string kept = c.twist == Deleted ? "<missing>" : c.bytes;
        std::string bak = c.bak ? c.bytes : c.twist == BackupFolder ? "<missing>" : "older";
        EXPECT_TRUE(readFileBytes(path) == kept && readFileBytes(path + L".bak") == bak) << c.said;
        EXPECT_EQ(temporaryLeft(temp.path()), L"") << c.said;
        SetPathAttributes(path, FILE_ATTRIBUTE_NORMAL);
        removeTree(path + L".bak");
    }
}

// Whatever holds a taken name is left alone; the hundredth taken name is the last one tried.
TEST_F(SaveTest, AHundredTakenTemporaryNamesRefuseTheSave) {
    auto name = [](int n) { return saveTempName(L"doc.txt", 7, 0xFFFFFFFF, n).substr(2); };
    for (int taken : {99, 100}) {
        open("old");
        for (int n = 0; n < taken; ++n) temp.file(name(n), "x");
        std::string bytes;
        WriteNotes notes;
        EXPECT_TRUE(encodeDocument(bytes) == 0 && writeDocument(path, bytes, 7, 0xFFFFFFFF, notes) == (taken == 100 ? 183u : 0u));
        EXPECT_EQ(readFileBytes(path), taken == 100 ? "old" : "new");
        EXPECT_EQ(readFileBytes(temp / name(99)), taken == 100 ? "x" : "<missing>");
    }
}

// F4 says before the first key what a save of the untouched file writes; F2 then writes just that.
TEST_F(SaveTest, OpeningSaysWhatAnUnchangedSaveWrites) {
    for (auto [bytes, said, saved] : {
             std::tuple{"a\r\nb\nc\r\n", L"Mixed line breaks: saving writes CR LF throughout.", "a\r\nb\r\nc\r\n"},
             std::tuple{"a\nb\rc\n", L"Mixed line breaks: saving writes LF throughout.", "a\nb\nc\n"},
             std::tuple{"\xEF\xBB\xBFok\xFF", L"This file cannot be saved: its bytes would not be written back unchanged.",
                        "\xEF\xBB\xBFok\xFF"}}) {
        EXPECT_EQ(open(bytes, L""), said);
        press({VK_F2, VK_RETURN});
        EXPECT_EQ(readFileBytes(path), saved);
    }
}

// Two saves in a row; the second on a hidden file with rights of its own whose final path cannot be
// read (as on a RAM disk). Windows keeps the creation time too; Wine keeps none to compare.
TEST_F(SaveTest, SavesKeepWhatTheFileHadBeyondItsBytes) {
    open("\xFF\xFEo\0"s, L"one");
    editorCharacter(nullptr, L'\xD83D');  // the first half of a pair, the second typed after the save
    EXPECT_EQ(press({VK_F2, VK_RETURN}), L"File saved: doc.txt");
    editorCharacter(nullptr, L'\xDE00');
    EXPECT_EQ(editor.undoHistory.size(), 1u) << "the second half took a step of its own";
    // The folder's rights but the last (under Wine, everyone's read), protected from the folder's.
    DWORD size = 0;
    GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::vector<BYTE> own(size), rights, kept;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    ASSERT_TRUE(GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, own.data(), size, &size) &&
                GetSecurityDescriptorDacl(own.data(), &present, &dacl, &defaulted) && DeleteAce(dacl, dacl->AceCount - 1) &&
                SetSecurityDescriptorControl(own.data(), SE_DACL_PROTECTED, SE_DACL_PROTECTED) &&
                SetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, own.data()) && ReadExplicitDacl(path, rights));
    SetPathAttributes(path, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    InjectFailure(FileCall::FinalPath, 1, ERROR_INVALID_FUNCTION);
    loadedText.lines[0] = L"two";
    EXPECT_EQ(press({VK_F2, VK_RETURN}), L"File saved: doc.txt");
    EXPECT_TRUE(readFileBytes(path) == "\xFF\xFEt\0w\0o\0"s && readFileBytes(path + L".bak") == "\xFF\xFE\x3D\xD8o\0n\0e\0"s);
    EXPECT_EQ(GetPathAttributes(path), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_TRUE(ReadExplicitDacl(path, kept) && !rights.empty() && kept == rights);

    // A file system that keeps no rights or creation time saves all the same.
    InjectFailure(FileCall::ReadSecurity, 1, ERROR_NOT_SUPPORTED);
    InjectFailure(FileCall::SetTimes, 1, ERROR_INVALID_FUNCTION);
    EXPECT_EQ(press({VK_F2, VK_RETURN}), L"File saved: doc.txt");
    // What cannot be undone after the rename is said; a temporary file that stays is named.
    InjectFailure(FileCall::SetAttributes, 1, ERROR_ACCESS_DENIED);
    EXPECT_EQ(press({VK_F2, VK_RETURN}), L"File saved: doc.txt. Attributes not restored. Windows error: 5");
    InjectFailure(FileCall::Move, 2, ERROR_DISK_FULL);  // the first one gives the .bak its name
    InjectFailure(FileCall::DeleteFile, 1, ERROR_ACCESS_DENIED);
    std::wstring said = press({VK_F2, VK_RETURN}), left = L"\\" + temporaryLeft(temp.path());
    // The folder as the final path names it, which may be another form of the test's (8.3 names).
    EXPECT_TRUE(said.starts_with(L"Save failed. Windows error: 112. Temporary item left behind: ") &&
                left.size() > 1 && said.ends_with(left)) << said;
}

}  // namespace
