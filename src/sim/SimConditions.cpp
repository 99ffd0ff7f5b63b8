#include "sim/SimConditions.h"

#include <ctype.h>
#include <stdlib.h>

static bool SameName(const std::string& strName, const char* pszName)
{
    size_t i = 0;
    for (; i < strName.size() && '\0' != pszName[i]; i++) {
        if (tolower((unsigned char)strName[i]) != tolower((unsigned char)pszName[i])) {
            return false;
        }
    }
    return i == strName.size() && '\0' == pszName[i];
}

static std::string Trim(const std::string& strText)
{
    size_t nStart = strText.find_first_not_of(" \t\r");
    if (std::string::npos == nStart) {
        return std::string();
    }
    size_t nEnd = strText.find_last_not_of(" \t\r");
    return strText.substr(nStart, nEnd - nStart + 1);
}

void SimConditions::Parse(const std::string& strText)
{
    m_entries.clear();
    size_t nPos = 0;
    while (nPos < strText.size()) {
        size_t nEnd = strText.find('\n', nPos);
        if (std::string::npos == nEnd) {
            nEnd = strText.size();
        }
        std::string strLine = Trim(strText.substr(nPos, nEnd - nPos));
        nPos = nEnd + 1;
        if (strLine.empty() || '#' == strLine[0]) {
            continue;
        }
        size_t nEquals = strLine.find('=');
        if (std::string::npos == nEquals) {
            m_entries.emplace_back(strLine, std::string());
        } else {
            m_entries.emplace_back(Trim(strLine.substr(0, nEquals)), Trim(strLine.substr(nEquals + 1)));
        }
    }
}

const char* SimConditions::Get(const char* pszName) const
{
    const char* pszValue = NULL;
    for (const auto& entry : m_entries) {
        if (SameName(entry.first, pszName)) {
            pszValue = entry.second.c_str();
        }
    }
    return pszValue;
}

long long SimConditions::GetNumber(const char* pszName, long long nDefault) const
{
    const char* pszValue = Get(pszName);
    long long nValue = 0;
    if (NULL == pszValue || !ParseConditionNumber(pszValue, nValue)) {
        return nDefault;
    }
    return nValue;
}

bool SimConditions::Refuses(const char* pszCall, unsigned long nCall) const
{
    for (const auto& entry : m_entries) {
        if (!SameName(entry.first, "refuse")) {
            continue;
        }
        size_t nPos = 0;
        const std::string& strList = entry.second;
        while (nPos <= strList.size()) {
            size_t nEnd = strList.find(',', nPos);
            if (std::string::npos == nEnd) {
                nEnd = strList.size();
            }
            std::string strItem = Trim(strList.substr(nPos, nEnd - nPos));
            nPos = nEnd + 1;
            size_t nAt = strItem.find('@');
            if (strItem.substr(0, nAt) != pszCall) {
                continue;
            }
            if (std::string::npos == nAt) {
                return true;
            }
            long long nOnly = 0;
            if (ParseConditionNumber(strItem.c_str() + nAt + 1, nOnly) && (unsigned long long)nOnly == nCall) {
                return true;
            }
        }
    }
    return false;
}

bool ParseConditionNumber(const char* pszValue, long long& nValue)
{
    const char* p = pszValue;
    bool fNegative = false;
    if ('-' == *p) {
        fNegative = true;
        p++;
    }
    int nBase = 10;
    if ('0' == p[0] && ('x' == p[1] || 'X' == p[1])) {
        nBase = 16;
        p += 2;
    }
    if (!isxdigit((unsigned char)*p)) {
        return false;
    }
    char* pEnd = NULL;
    unsigned long long nMagnitude = strtoull(p, &pEnd, nBase);
    if ('\0' != *pEnd) {
        return false;
    }
    nValue = fNegative ? -(long long)nMagnitude : (long long)nMagnitude;
    return true;
}
