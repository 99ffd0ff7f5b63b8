// The error box that users see: no owner, caption "Tolvex", error icon.
#pragma once

#include <initializer_list>

#include "common/MessageTexts.h"
#include "common/Types.h"

// Whether the box is topmost: every box is, but for the host's settings errors.
enum ErrorBoxStyle
{
    ERROR_BOX_TOPMOST,
    ERROR_BOX_PLAIN,
};

// Shows pszText in the error box; returns the box's result.
int ShowError(const WCHAR* pszText, ErrorBoxStyle style = ERROR_BOX_TOPMOST);
// Fills the message format pszFormat with the texts (FormatText) and shows
// the result with ShowError.
int ShowErrorFormat(const WCHAR* pszFormat, std::initializer_list<const WCHAR*> texts,
                    ErrorBoxStyle style = ERROR_BOX_TOPMOST);
