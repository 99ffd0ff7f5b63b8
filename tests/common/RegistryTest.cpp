// Registry and FindInstallFolder against Wine's real registry. Every test
// starts and ends without the product's key.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/Folders.h"
#include "common/Registry.h"
#include "support/TestProcess.h"
#include "CaseTitle.h"

#define MAKER_KEY L"SOFTWARE\\Morvandel"
#define PRODUCT_KEY L"SOFTWARE\\Morvandel\\Morvandel Tolvex"

class RegistryKeyTest : public ::testing::Test
{
protected:
    void SetUp() override { DeleteProductKey(); }
    void TearDown() override
    {
        DeleteProductKey();
        HKEY hk = NULL;
        EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, PRODUCT_KEY, 0, KEY_READ, &hk));
    }

    static void DeleteProductKey()
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, PRODUCT_KEY);
        // The maker's key goes only when nothing else is left in it.
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, MAKER_KEY);
    }

    // Creates the key and, when pszName is given, one value of raw bytes.
    static void CreateProductKey(const WCHAR* pszName = NULL, DWORD dwType = REG_SZ,
                                 const void* pData = NULL, DWORD cbData = 0)
    {
        HKEY hk = NULL;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, PRODUCT_KEY, 0, NULL, 0,
                                                 KEY_WRITE, NULL, &hk, NULL));
        if (NULL != pszName) {
            EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(hk, pszName, 0, dwType, (const BYTE*)pData, cbData));
        }
        RegCloseKey(hk);
    }

    // A text value with its terminator.
    static void CreateFolderValue(const std::wstring& strText, DWORD dwType = REG_SZ)
    {
        CreateProductKey(L"Folder", dwType, strText.c_str(),
                         (DWORD)((strText.size() + 1) * sizeof(WCHAR)));
    }
};

// ---- Registry ----

TEST_F(RegistryKeyTest, OpensTheProductKeyAndReadsItsValue)
{
    CreateFolderValue(L"C:\\Tolvex");
    Registry registry;
    EXPECT_EQ(nullptr, registry.GetKey());
    ASSERT_EQ(TRUE, registry.Open(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvandel\\Morvandel Tolvex", KEY_READ));
    EXPECT_NE(nullptr, registry.GetKey());

    DWORD dwType = 0;
    DWORD cbSize = 0;
    EXPECT_EQ(TRUE, registry.QueryValueInfo(L"Folder", &dwType, &cbSize));
    EXPECT_EQ((DWORD)REG_SZ, dwType);
    EXPECT_EQ(sizeof(L"C:\\Tolvex"), cbSize);
    dwType = 0;
    EXPECT_EQ(TRUE, registry.GetValueType(L"Folder", &dwType));
    EXPECT_EQ((DWORD)REG_SZ, dwType);
    cbSize = 0;
    EXPECT_EQ(TRUE, registry.GetValueSize(L"Folder", &cbSize));
    EXPECT_EQ(sizeof(L"C:\\Tolvex"), cbSize);
    EXPECT_EQ(TRUE, registry.IsValueOfType(L"Folder", REG_SZ));
    EXPECT_EQ(FALSE, registry.IsValueOfType(L"Folder", REG_EXPAND_SZ));

    std::wstring strValue;
    EXPECT_EQ(TRUE, registry.ReadString(L"Folder", strValue));
    EXPECT_EQ(L"C:\\Tolvex", strValue);

    EXPECT_EQ(TRUE, registry.Close());
    EXPECT_EQ(nullptr, registry.GetKey());
    EXPECT_EQ(FALSE, registry.Close());
}

TEST_F(RegistryKeyTest, MissingValueAnswersFalse)
{
    CreateProductKey();
    Registry registry;
    ASSERT_EQ(TRUE, registry.Open(L"HKEY_LOCAL_MACHINE\\" PRODUCT_KEY, KEY_READ));
    DWORD dwType = 0;
    DWORD cbSize = 0;
    EXPECT_EQ(FALSE, registry.QueryValueInfo(L"Folder", &dwType, &cbSize));
    EXPECT_EQ(FALSE, registry.GetValueType(L"Folder", &dwType));
    EXPECT_EQ(FALSE, registry.GetValueSize(L"Folder", &cbSize));
    EXPECT_EQ(FALSE, registry.IsValueOfType(L"Folder", REG_SZ));
    std::wstring strValue;
    EXPECT_EQ(FALSE, registry.ReadString(L"Folder", strValue));
}

struct ReadCase
{
    const char* pszTitle;
    DWORD dwType;
    std::wstring strBytes;  // the stored data, as wide characters
    BOOL fRead;
    std::wstring strExpected;
};

static void PrintTo(const ReadCase& c, std::ostream* pos) { *pos << c.pszTitle; }

class ReadStringTest : public RegistryKeyTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadStringTest, ReadsOnlyTextValues)
{
    const ReadCase& c = GetParam();
    CreateProductKey(L"Folder", c.dwType, c.strBytes.data(), (DWORD)(c.strBytes.size() * sizeof(WCHAR)));
    Registry registry;
    ASSERT_EQ(TRUE, registry.Open(L"HKEY_LOCAL_MACHINE\\" PRODUCT_KEY, KEY_READ));
    std::wstring strValue = L"untouched";
    EXPECT_EQ(c.fRead, registry.ReadString(L"Folder", strValue));
    if (c.fRead) {
        EXPECT_EQ(c.strExpected, strValue);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadStringTest, ::testing::Values(
    ReadCase{ "Text", REG_SZ, std::wstring(L"C:\\Tolvex", 10), TRUE, L"C:\\Tolvex" },
    ReadCase{ "WithoutTerminator", REG_SZ, L"C:\\Tolvex", TRUE, L"C:\\Tolvex" },
    ReadCase{ "Empty", REG_SZ, std::wstring(1, L'\0'), TRUE, L"" },
    ReadCase{ "NoBytes", REG_SZ, L"", TRUE, L"" },
    ReadCase{ "StopsAtFirstNul", REG_SZ, std::wstring(L"C:\\A\0B", 7), TRUE, L"C:\\A" },
    ReadCase{ "ExpandString", REG_EXPAND_SZ, std::wstring(L"%TEMP%", 7), FALSE, L"" },
    ReadCase{ "MultiString", REG_MULTI_SZ, std::wstring(L"a\0\0", 3), FALSE, L"" },
    ReadCase{ "Binary", REG_BINARY, L"ab", FALSE, L"" },
    ReadCase{ "Number", REG_DWORD, L"ab", FALSE, L"" }),
    CaseTitle());

struct OpenCase
{
    const char* pszTitle;
    const WCHAR* pszPath;
    BOOL fOpens;
};

static void PrintTo(const OpenCase& c, std::ostream* pos) { *pos << c.pszTitle; }

class RegistryOpenTest : public RegistryKeyTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(RegistryOpenTest, OpensOnlyFullPathsUnderAKnownRoot)
{
    CreateFolderValue(L"C:\\Tolvex");
    Registry registry;
    EXPECT_EQ(GetParam().fOpens, registry.Open(GetParam().pszPath, KEY_READ));
    if (GetParam().fOpens) {
        // The product key itself, not some other key that happens to exist.
        std::wstring strValue;
        EXPECT_EQ(TRUE, registry.ReadString(L"Folder", strValue));
        EXPECT_EQ(L"C:\\Tolvex", strValue);
        EXPECT_EQ(TRUE, registry.Close());
    } else {
        EXPECT_EQ(nullptr, registry.GetKey());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RegistryOpenTest, ::testing::Values(
    OpenCase{ "Exact", L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvandel\\Morvandel Tolvex", TRUE },
    OpenCase{ "LowerCase", L"hkey_local_machine\\software\\morvandel\\morvandel tolvex", TRUE },
    OpenCase{ "MixedCaseRoot", L"HKey_Local_Machine\\SOFTWARE\\Morvandel\\Morvandel Tolvex", TRUE },
    OpenCase{ "EmptyComponentIsTheSameKey", L"HKEY_LOCAL_MACHINE\\SOFTWARE\\\\Morvandel\\Morvandel Tolvex\\\\", TRUE },
    OpenCase{ "QuotedComponent", L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvandel\\\"Morvandel Tolvex\"", TRUE },
    OpenCase{ "QuotedBackslash", L"HKEY_LOCAL_MACHINE\\SOFTWARE\\\"Morvandel\\Morvandel Tolvex\"", TRUE },
    OpenCase{ "Empty", L"", FALSE },
    OpenCase{ "BareRoot", L"HKEY_LOCAL_MACHINE", FALSE },
    OpenCase{ "BareRootWithBackslash", L"HKEY_LOCAL_MACHINE\\", FALSE },
    OpenCase{ "AbbreviatedRoot", L"HKLM\\SOFTWARE\\Morvandel\\Morvandel Tolvex", FALSE },
    OpenCase{ "TruncatedRoot", L"HKEY_LOCAL_MACH\\SOFTWARE\\Morvandel\\Morvandel Tolvex", FALSE },
    OpenCase{ "NoRoot", L"SOFTWARE\\Morvandel\\Morvandel Tolvex", FALSE },
    OpenCase{ "UnnamedRoot", L"HKEY_PERFORMANCE_DATA\\Global", FALSE },
    OpenCase{ "OtherRoot", L"HKEY_CURRENT_USER\\SOFTWARE\\Morvandel\\Morvandel Tolvex", FALSE },
    OpenCase{ "MissingLastComponent", L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvandel\\Morvandel Tolvex\\Deeper", FALSE },
    OpenCase{ "MissingMiddleComponent", L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Nobody\\Morvandel Tolvex", FALSE }),
    CaseTitle());

TEST(Registry, EveryRootNameOfTheHost)
{
    static const WCHAR* const rgpszPaths[] = {
        L"HKEY_CLASSES_ROOT\\CLSID",
        L"HKEY_CURRENT_USER\\Software",
        L"HKEY_LOCAL_MACHINE\\Software",
        L"HKEY_USERS\\.DEFAULT",
        L"HKEY_CURRENT_CONFIG\\Software",
    };
    for (const WCHAR* pszPath : rgpszPaths) {
        Registry registry;
        EXPECT_EQ(TRUE, registry.Open(pszPath, KEY_READ)) << pszPath;
    }
}

TEST_F(RegistryKeyTest, SecondOpenKeepsTheFirstKey)
{
    CreateFolderValue(L"C:\\Tolvex");
    Registry registry;
    ASSERT_EQ(TRUE, registry.Open(L"HKEY_LOCAL_MACHINE\\" PRODUCT_KEY, KEY_READ));
    HKEY hkFirst = registry.GetKey();
    EXPECT_EQ(FALSE, registry.Open(L"HKEY_CURRENT_USER\\Software", KEY_READ));
    EXPECT_EQ(hkFirst, registry.GetKey());
    std::wstring strValue;
    EXPECT_EQ(TRUE, registry.ReadString(L"Folder", strValue));
    EXPECT_EQ(L"C:\\Tolvex", strValue);
}

TEST_F(RegistryKeyTest, FailedOpenLeavesTheObjectReusable)
{
    Registry registry;
    EXPECT_EQ(FALSE, registry.Open(L"HKEY_LOCAL_MACHINE\\" PRODUCT_KEY, KEY_READ));
    EXPECT_EQ(nullptr, registry.GetKey());
    EXPECT_EQ(FALSE, registry.Close());
    CreateFolderValue(L"D:\\Data");
    ASSERT_EQ(TRUE, registry.Open(L"HKEY_LOCAL_MACHINE\\" PRODUCT_KEY, KEY_READ));
    std::wstring strValue;
    EXPECT_EQ(TRUE, registry.ReadString(L"Folder", strValue));
    EXPECT_EQ(L"D:\\Data", strValue);
}

// ---- FindInstallFolder ----

static std::wstring LongFolder(size_t cch)
{
    std::wstring strText = L"D:\\";
    while (strText.size() < cch) {
        strText += (wchar_t)(L'a' + strText.size() % 26);
    }
    return strText;
}

enum FolderSetup { NO_KEY, NO_VALUE, TEXT_VALUE };

struct InstallCase
{
    const char* pszTitle;
    FolderSetup setup;
    DWORD dwType;
    std::wstring strValue;
    bool fUsed;             // the value becomes the installation folder...
    std::wstring strInstall;  // ...as this text; otherwise the program folder stays
};

static void PrintTo(const InstallCase& c, std::ostream* pos) { *pos << c.pszTitle; }

class FindInstallFolderTest : public RegistryKeyTest, public ::testing::WithParamInterface<InstallCase> {};

TEST_P(FindInstallFolderTest, InstallFolderFromTheRegistry)
{
    const InstallCase& c = GetParam();
    if (NO_VALUE == c.setup) {
        CreateProductKey();
    } else if (TEXT_VALUE == c.setup) {
        CreateFolderValue(c.strValue, c.dwType);
    }
    std::wstring strProgramFolder = GetTestProgramFolder();
    ASSERT_FALSE(strProgramFolder.empty());

    ASSERT_EQ(TRUE, FindInstallFolder(GetModuleHandleW(NULL)));
    EXPECT_EQ(strProgramFolder, std::wstring(GetProgramFolder()));
    EXPECT_EQ(c.fUsed ? c.strInstall : strProgramFolder, std::wstring(GetInstallFolder()));
}

INSTANTIATE_TEST_SUITE_P(Cases, FindInstallFolderTest, ::testing::Values(
    InstallCase{ "NoKey", NO_KEY, REG_SZ, L"", false, L"" },
    InstallCase{ "NoValue", NO_VALUE, REG_SZ, L"", false, L"" },
    InstallCase{ "Plain", TEXT_VALUE, REG_SZ, L"C:\\Tolvex", true, L"C:\\Tolvex" },
    InstallCase{ "OneTrailingBackslash", TEXT_VALUE, REG_SZ, L"C:\\Tolvex\\", true, L"C:\\Tolvex" },
    InstallCase{ "TwoTrailingBackslashes", TEXT_VALUE, REG_SZ, L"C:\\Tolvex\\\\", true, L"C:\\Tolvex\\" },
    InstallCase{ "Empty", TEXT_VALUE, REG_SZ, L"", true, L"" },
    InstallCase{ "ExpandString", TEXT_VALUE, REG_EXPAND_SZ, L"C:\\Tolvex", false, L"" },
    InstallCase{ "Longest", TEXT_VALUE, REG_SZ, LongFolder(259) + L"\\", true, LongFolder(259) },
    InstallCase{ "Overlong", TEXT_VALUE, REG_SZ, LongFolder(260), false, L"" },
    InstallCase{ "FarTooLong", TEXT_VALUE, REG_SZ, LongFolder(5000), false, L"" }),
    CaseTitle());

TEST_F(RegistryKeyTest, FindInstallFolderIgnoresANumber)
{
    DWORD dwValue = 42;
    CreateProductKey(L"Folder", REG_DWORD, &dwValue, sizeof(dwValue));
    ASSERT_EQ(TRUE, FindInstallFolder(NULL));
    EXPECT_STREQ(GetProgramFolder(), GetInstallFolder());
    EXPECT_EQ(GetTestProgramFolder(), std::wstring(GetProgramFolder()));
}
