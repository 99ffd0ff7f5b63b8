// Names the cases of a parameterised test after their pszTitle member:
//   INSTANTIATE_TEST_SUITE_P(Cases, SomeTest, ::testing::Values(...), CaseTitle());
#pragma once

#include <gtest/gtest.h>

#include <string>

struct CaseTitle
{
    template <class T>
    std::string operator()(const ::testing::TestParamInfo<T>& paramInfo) const
    {
        return paramInfo.param.pszTitle;
    }
};
