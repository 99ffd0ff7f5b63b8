#include <gtest/gtest.h>

#include <string>

#include "common/Folders.h"
#include "CaseTitle.h"

static const WCHAR gszProgram[] = L"C:\\Program Files\\Tolvex\\Tolvex.exe";
static const WCHAR gszProgramFolder[] = L"C:\\Program Files\\Tolvex";

struct FolderCase
{
    const char* pszTitle;
    std::wstring strRegistry;  // the "Folder" text
    std::wstring strInstall;   // the installation folder it gives
    bool fProgramFolder;       // refused: the program folder stays (strInstall unused)
};

static void PrintTo(const FolderCase& c, std::ostream* pos) { *pos << c.pszTitle; }

class SetFoldersTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(SetFoldersTest, InstallFolderFromRegistryText)
{
    const FolderCase& c = GetParam();
    // A different earlier state shows that nothing of it survives.
    ASSERT_EQ(TRUE, SetFolders(L"X:\\Old\\Old.exe", L"X:\\Earlier"));

    ASSERT_EQ(TRUE, SetFolders(gszProgram, c.strRegistry.c_str()));
    EXPECT_STREQ(gszProgramFolder, GetProgramFolder());
    if (c.fProgramFolder) {
        EXPECT_STREQ(gszProgramFolder, GetInstallFolder());
    } else {
        EXPECT_EQ(c.strInstall, std::wstring(GetInstallFolder()));
    }
}

static std::wstring Repeat(size_t cch)
{
    std::wstring strText = L"D:\\";
    while (strText.size() < cch) {
        strText += (wchar_t)(L'a' + strText.size() % 26);
    }
    return strText;
}

INSTANTIATE_TEST_SUITE_P(Cases, SetFoldersTest, ::testing::Values(
    FolderCase{ "Plain", L"D:\\Data", L"D:\\Data", false },
    FolderCase{ "OneTrailingBackslash", L"D:\\Data\\", L"D:\\Data", false },
    FolderCase{ "TwoTrailingBackslashesLoseOne", L"D:\\Data\\\\", L"D:\\Data\\", false },
    FolderCase{ "Empty", L"", L"", false },
    FolderCase{ "OnlyBackslash", L"\\", L"", false },
    FolderCase{ "Longest", Repeat(259), Repeat(259), false },
    FolderCase{ "LongestWithBackslash", Repeat(259) + L"\\", Repeat(259), false },
    FolderCase{ "OneTooLong", Repeat(260), L"", true },
    FolderCase{ "FarTooLong", Repeat(1000) + L"\\", L"", true }),
    CaseTitle());

TEST(SetFolders, NoRegistryTextKeepsTheProgramFolder)
{
    ASSERT_EQ(TRUE, SetFolders(L"X:\\Old\\Old.exe", L"X:\\Earlier"));
    ASSERT_EQ(TRUE, SetFolders(gszProgram, NULL));
    EXPECT_STREQ(gszProgramFolder, GetProgramFolder());
    EXPECT_STREQ(gszProgramFolder, GetInstallFolder());
}

TEST(SetFolders, OverlongProgramPathIsRefusedAndChangesNothing)
{
    ASSERT_EQ(TRUE, SetFolders(gszProgram, L"D:\\Data"));
    std::wstring strLongest = Repeat(255) + L".exe";
    ASSERT_EQ(259u, strLongest.size());
    EXPECT_EQ(TRUE, SetFolders(strLongest.c_str(), NULL));
    EXPECT_STREQ(L"D:", GetProgramFolder());

    ASSERT_EQ(TRUE, SetFolders(gszProgram, L"D:\\Data"));
    std::wstring strTooLong = Repeat(256) + L".exe";
    EXPECT_EQ(FALSE, SetFolders(strTooLong.c_str(), L"E:\\Other"));
    EXPECT_STREQ(gszProgramFolder, GetProgramFolder());
    EXPECT_STREQ(L"D:\\Data", GetInstallFolder());
}
