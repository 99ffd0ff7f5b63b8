#include <gtest/gtest.h>

#include <string>

#include "common/Folders.h"
#include "modules/frame/ScannerPath.h"

namespace {

TEST(FormatInstallPath, JoinsTheFolderAndTheFileWithABackslash)
{
    ASSERT_EQ(TRUE, SetFolders(L"C:\\Prog\\Quorlin.exe", L"C:\\Tolvex\\"));
    WCHAR szPath[260];
    ASSERT_EQ(TRUE, FormatInstallPath(szPath, 260, L"barcode.wav"));
    EXPECT_EQ(std::wstring(L"C:\\Tolvex\\barcode.wav"), szPath);
}

TEST(FormatInstallPath, RefusesWhatDoesNotFitWithAnEmptyText)
{
    ASSERT_EQ(TRUE, SetFolders(L"C:\\Prog\\Quorlin.exe", L"C:\\Tolvex"));
    // "C:\Tolvex\barcode.wav" is 21 units; with the terminator 22.
    WCHAR szPath[22];
    EXPECT_EQ(TRUE, FormatInstallPath(szPath, 22, L"barcode.wav"));
    EXPECT_EQ(std::wstring(L"C:\\Tolvex\\barcode.wav"), szPath);
    EXPECT_EQ(FALSE, FormatInstallPath(szPath, 21, L"barcode.wav"));
    EXPECT_EQ(std::wstring(), szPath);

    // An installation folder of 250 units leaves no room in 260 for the file.
    std::wstring strFolder = L"C:\\" + std::wstring(247, L'd');
    ASSERT_EQ(TRUE, SetFolders(L"C:\\Prog\\Quorlin.exe", strFolder.c_str()));
    WCHAR szLong[260];
    EXPECT_EQ(FALSE, FormatInstallPath(szLong, 260, L"barcode.wav"));
    EXPECT_EQ(std::wstring(), szLong);
}

}
