// Opens the parser's internal steps to the tests.
#pragma once

#include "gs1/EAN128.h"

class EAN128Probe : public EAN128
{
public:
    using EAN128::AddField;
    using EAN128::ExtractField;
    using EAN128::FindAI;
    using EAN128::IsAlphanumeric;
    using EAN128::IsNumeric;
    using EAN128::ParseSingleAIFormat;
    using EAN128::SetError;
};
