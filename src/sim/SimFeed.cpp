#include "sim/SimFeed.h"

#include "common/Escapes.h"

const char* SimLabel::GetAttribute(const char* pszName) const
{
    for (const auto& attribute : attributes) {
        if (attribute.first == pszName) {
            return attribute.second.c_str();
        }
    }
    return NULL;
}

static void ParseAttributes(const std::string& strWords, SimLabel& label)
{
    size_t nPos = 0;
    while (nPos < strWords.size()) {
        size_t nEnd = strWords.find_first_of(" ,", nPos);
        if (std::string::npos == nEnd) {
            nEnd = strWords.size();
        }
        std::string strWord = strWords.substr(nPos, nEnd - nPos);
        nPos = nEnd + 1;
        if (strWord.empty()) {
            continue;
        }
        size_t nEquals = strWord.find('=');
        if (std::string::npos == nEquals) {
            label.attributes.emplace_back(strWord, std::string());
        } else {
            label.attributes.emplace_back(strWord.substr(0, nEquals), strWord.substr(nEquals + 1));
        }
    }
}

bool ParseFeedLine(const std::string& strLine, unsigned long nLine, SimLabel& label,
                   std::string& strError)
{
    label = SimLabel();
    label.nLine = nLine;
    size_t nLength = strLine.size();
    if (nLength > 0 && '\r' == strLine[nLength - 1]) {
        nLength--;
    }
    size_t nStart = 0;
    if (nLength > 0 && '{' == strLine[0]) {
        size_t nClose = strLine.find('}');
        if (std::string::npos == nClose || nClose >= nLength) {
            strError = "attributes without a closing brace";
            return false;
        }
        ParseAttributes(strLine.substr(1, nClose - 1), label);
        nStart = nClose + 1;
    }
    std::vector<UTF16UNIT> rgWritten = DecodeUtf8(strLine.substr(nStart, nLength - nStart));
    return TRUE == Unescape(rgWritten, &label.rgText, &strError);
}

void SimFeedLines::Append(const char* pData, size_t cbData)
{
    // Drop what has been handed out before the buffer grows again.
    m_strPending.erase(0, m_nConsumed);
    m_nConsumed = 0;
    m_strPending.append(pData, cbData);
}

bool SimFeedLines::NextLine(std::string& strLine)
{
    size_t nEnd = m_strPending.find('\n', m_nConsumed);
    if (std::string::npos == nEnd) {
        return false;
    }
    strLine.assign(m_strPending, m_nConsumed, nEnd - m_nConsumed);
    m_nConsumed = nEnd + 1;
    m_nLine++;
    return true;
}
