#include <gtest/gtest.h>

#include "common/MyString.h"

TEST(ExtractTokenA, FullOutputSkipsToNextSeparator)
{
    char szOut[4];
    const char* pszNext = ExtractTokenA("abcdef;gh", ';', szOut, sizeof(szOut));
    EXPECT_STREQ("abc", szOut);
    ASSERT_NE(nullptr, pszNext);
    EXPECT_STREQ("gh", pszNext);
}
