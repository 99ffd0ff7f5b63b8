// The error box that users see: no owner, caption "Tolvex".
#pragma once

#include "common/Types.h"

#define TVX_CAPTION L"Tolvex"

// Shows pszText with an error icon, topmost; returns the box's result.
int ShowError(const WCHAR* pszText);
