// The conditions of a simulated terminal: a text file of name=value lines
// (blank lines and lines starting with # are ignored; blanks around name and
// value are dropped; names are compared without regard to case; a name may
// appear more than once). Which names a stand-in reads is its own matter; one
// is common to all of them:
//     refuse=Call          every call of that name reports failure
//     refuse=Call@N        only its N-th call (counted from 1) does
// Several calls may be listed in one line, separated by commas.
#pragma once

#include <string>
#include <utility>
#include <vector>

class SimConditions
{
public:
    void Parse(const std::string& strText);

    // The value of the last line with that name, or NULL.
    const char* Get(const char* pszName) const;
    // A number written in decimal (optionally negative) or with 0x in
    // hexadecimal; nDefault when the name is absent or the value is no number.
    long long GetNumber(const char* pszName, long long nDefault) const;
    // Whether the nCall-th call (from 1) of pszCall is refused.
    bool Refuses(const char* pszCall, unsigned long nCall) const;

private:
    std::vector<std::pair<std::string, std::string>> m_entries;
};

// A condition value as a number: decimal (optionally negative) or 0x
// hexadecimal, the whole text; false when it is none.
bool ParseConditionNumber(const char* pszValue, long long& nValue);
