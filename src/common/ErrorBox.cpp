#include "common/ErrorBox.h"

#include <string>

#include "common/MyString.h"

int ShowErrorFormat(const WCHAR* pszFormat, std::initializer_list<const WCHAR*> texts,
                    ErrorBoxStyle style)
{
    std::wstring strText = FormatText(pszFormat, texts);
    return ShowError(strText.c_str(), style);
}
