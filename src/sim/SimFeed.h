// The feed of a simulated terminal: a text file of labels, one per line, that
// grows while the module runs. A line is
//     [{attribute attribute ...}]label
// where the label is UTF-8 text with the escapes of the script checker's scan
// input: \xNN (the character U+00NN), \t, \r, \n and \\; a byte that does not
// begin valid UTF-8 stands for the character of its value. An empty line is a
// label of length 0, and the optional braces in front carry what a
// stand-in needs to know about that one read, as name or name=value words
// separated by blanks or commas: {type=W}, {fail}, {type=A len=13}. A label
// that itself begins with a brace is written with \x7b. A carriage return
// before the line feed is dropped; one inside a label is written \r.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/Types.h"

struct SimLabel
{
    // The label's UTF-16 units, without a terminator.
    std::vector<UTF16UNIT> rgText;
    std::vector<std::pair<std::string, std::string>> attributes;
    // The label's line in the feed, counted from 1.
    unsigned long nLine = 0;

    // The value of an attribute ("" for a bare name), or NULL when absent.
    const char* GetAttribute(const char* pszName) const;
};

// Parses one feed line (without its line feed). false, with the reason in
// strError, when the braces are not closed or an escape is malformed.
bool ParseFeedLine(const std::string& strLine, unsigned long nLine, SimLabel& label,
                   std::string& strError);

// Cuts bytes appended to the feed into complete lines; a last line without
// its line feed waits for the rest.
class SimFeedLines
{
public:
    void Append(const char* pData, size_t cbData);
    // The next complete line, without its line end; false when there is none.
    bool NextLine(std::string& strLine);
    // The number of the line NextLine returned last, counted from 1.
    unsigned long GetLineNumber() const { return m_nLine; }

private:
    std::string m_strPending;
    size_t m_nConsumed = 0;
    unsigned long m_nLine = 0;
};
