// File primitives and temporary names on real folders.
#include <gtest/gtest.h>

#include "common/temp_folder.h"
#include "fs/file_ops.h"
#include "fs/paths.h"

namespace {

TEST(FileOps, WritableAttributes) {
    const struct {
        DWORD input, expected;
    } cases[] = {{0, 128}, {1, 128}, {0x21, 0x20}, {0x27, 0x26}, {0x80, 0x80}, {0x2100, 0x2100}};
    for (const auto& c : cases) EXPECT_EQ(WritableAttributes(c.input), c.expected) << c.input;
}

TEST(FileOps, FailureWithoutLastErrorStillFails) {
    SetLastError(0);
    EXPECT_EQ(LastFailureCode(), 1627u);
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(LastFailureCode(), 5u);
}

TEST(FileOps, TempNamePattern) {
    std::wstring name = TempName(42);
    std::wstring head = L".torvanecommander_tmp_" + std::to_wstring(GetCurrentProcessId()) + L"_";
    EXPECT_EQ(name.rfind(head, 0), 0u) << name;
    EXPECT_EQ(name.substr(name.size() - 7), L"_42.tmp") << name;
    std::wstring tick = name.substr(head.size(), name.size() - 7 - head.size());
    EXPECT_FALSE(tick.empty());
    EXPECT_EQ(tick.find_first_not_of(L"0123456789"), std::wstring::npos) << name;
}

TEST(FileOps, TemporaryFileAndFolderBesideTheTarget) {
    TempFolder temp;
    std::wstring target = temp / L"report.txt";
    uint32_t files = TempFileCounter, folders = TempFolderCounter;

    std::wstring path;
    DWORD error = 99;
    FileHandle file = CreateTempFileNear(target, path, error);
    ASSERT_TRUE(file.valid());
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(TempFileCounter, files + 1);
    EXPECT_EQ(FolderOfPath(path), temp.path() + L"\\");
    EXPECT_EQ(path.substr(path.size() - (std::to_wstring(TempFileCounter) + L".tmp").size()),
              std::to_wstring(TempFileCounter) + L".tmp");
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file.get(), "abc", 3, &written, nullptr));  // open for writing
    file.close();
    EXPECT_EQ(readFileBytes(path), "abc");

    // Elsewhere: in the same tick a folder with the same counter value would take the file's name
    // and need a second attempt.
    std::wstring folderPath;
    ASSERT_TRUE(CreateTempFolderNear(temp.folder(L"other") + L"\\sub", folderPath, error));
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(TempFolderCounter, folders + 1);
    EXPECT_EQ(TempFileCounter, files + 1);  // the counters are independent
    EXPECT_TRUE(GetPathAttributes(folderPath) & FILE_ATTRIBUTE_DIRECTORY);

    // Beside the file's own target a colliding name is skipped for the next counter value.
    std::wstring besideFile;
    ASSERT_TRUE(CreateTempFolderNear(target, besideFile, error));
    EXPECT_NE(besideFile, path);
    EXPECT_EQ(readFileBytes(path), "abc");
}

TEST(FileOps, TemporaryMakersReportTheFolderProblem) {
    TempFolder temp;
    std::wstring file = temp.file(L"a-file", "x");
    // Wine reports 3 for a folder that is a file; Windows may also answer 267.
    const std::wstring targets[] = {temp / L"missing\\target", file + L"\\target"};
    for (const std::wstring& target : targets) {
        std::wstring path;
        DWORD error = 0;
        uint32_t before = TempFileCounter;
        FileHandle handle = CreateTempFileNear(target, path, error);
        EXPECT_FALSE(handle.valid()) << target;
        EXPECT_TRUE(error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) << target << " " << error;
        EXPECT_EQ(TempFileCounter, before + 1) << "one attempt only";
        EXPECT_FALSE(CreateTempFolderNear(target, path, error)) << target;
        EXPECT_TRUE(error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) << target << " " << error;
    }
}

TEST(FileOps, WrappersTakeLongPaths) {
    TempFolder temp;
    std::wstring deep = temp.path();
    while (deep.size() < 300) {
        deep += L"\\folder_with_a_long_name";
        ASSERT_TRUE(CreateFolderPath(deep)) << deep.size();
    }
    std::wstring file = temp.file(deep.substr(temp.path().size() + 1) + L"\\a.txt", "data");
    ASSERT_GT(file.size(), 260u);
    EXPECT_TRUE(SetPathAttributes(file, FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetPathAttributes(file) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_TRUE(MovePath(file, deep + L"\\b.txt", MOVEFILE_WRITE_THROUGH));
    EXPECT_TRUE(SetPathAttributes(deep + L"\\b.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFilePath(deep + L"\\b.txt"));
    EXPECT_FALSE(pathExists(deep + L"\\b.txt"));
}

}  // namespace
