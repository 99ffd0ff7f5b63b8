#include "modules/quorlin/SymbolRecords.h"

#include "common/Assert.h"

// Raises the used size of a record to at least cbUsed.
static void CoverUsed(DWORD* pdwUsed, DWORD cbUsed)
{
    if (*pdwUsed < cbUsed) {
        *pdwUsed = cbUsed;
    }
}

void ApplyScanParams(SCN_SCAN_PARAMS* pParams, DWORD dwScanType, BOOL bFeedback,
                     DWORD dwValue1, DWORD dwValue2, DWORD dwValue3, const WCHAR* pszPath)
{
    struct Field
    {
        DWORD dwValue;
        DWORD* pdwTarget;
        DWORD cbEnd;
    };
    // The BOOL travels as its 32-bit word.
    DWORD dwFeedback = (DWORD)bFeedback;
    const Field rgFields[] = {
        { dwScanType, &pParams->dwScanType, 16 },
        { dwFeedback, (DWORD*)&pParams->bFeedback, 20 },
        { dwValue1, &pParams->dwGoodReadTime, 24 },
        { dwValue2, &pParams->dwGoodReadPitch, 28 },
        { dwValue3, &pParams->dwGoodReadLight, 32 },
    };
    for (const Field& field : rgFields) {
        if (SCN_KEEP_VALUE != field.dwValue && pParams->dwAllocated >= field.cbEnd) {
            *field.pdwTarget = field.dwValue;
            CoverUsed(&pParams->dwUsed, field.cbEnd);
        }
    }

    const DWORD cbPathEnd = (DWORD)offsetof(SCN_SCAN_PARAMS, rgbReserved);
    if (NULL != pszPath && pParams->dwAllocated >= cbPathEnd) {
        size_t i = 0;
        for (; i < SCN_SOUND_FILE_LENGTH && L'\0' != pszPath[i]; i++) {
            pParams->szSoundFile[i] = (UTF16UNIT)pszPath[i];
        }
        if (i < SCN_SOUND_FILE_LENGTH) {
            pParams->szSoundFile[i] = 0;
        }
        pParams->szSoundFile[SCN_SOUND_FILE_LENGTH - 1] = 0;
        CoverUsed(&pParams->dwUsed, cbPathEnd);
    }
}

DecoderListChange AddDecoderToList(SCN_DECODER_LIST* pList, BYTE bDecoder)
{
    DWORD dwCount = pList->dwCount;
    DWORD dwListed = dwCount < SCN_MAX_DECODERS ? dwCount : SCN_MAX_DECODERS;
    for (DWORD i = 0; i < dwListed; i++) {
        if (bDecoder == pList->rgbDecoders[i]) {
            return DECODER_ALREADY_LISTED;
        }
    }
    if (dwCount >= SCN_MAX_DECODERS) {
        return DECODER_LIST_FULL;
    }
    pList->rgbDecoders[dwCount] = bDecoder;
    CoverUsed(&pList->dwUsed, dwCount + 13);
    pList->dwCount = dwCount + 1;
    return DECODER_ADDED;
}

void SetDecoderWord(SCN_DECODER_PARAMS* pParams, size_t nOffset, DWORD dwValue)
{
    FATAL_ASSERT(nOffset >= SCN_HEAD_SIZE && nOffset < SCN_DECODER_PARAMS_SIZE && 0 == nOffset % 4);
    pParams->rgdwWords[(nOffset - SCN_HEAD_SIZE) / 4] = dwValue;
}

DWORD GetScanLabelOffset(const void* pScanBuffer)
{
    SCN_BUFFER_HEAD head;
    memcpy(&head, pScanBuffer, sizeof(head));
    return head.dwUsed >= sizeof(SCN_BUFFER_HEAD) ? head.dwDataOffset : SCN_DEFAULT_LABEL_OFFSET;
}

void CopyScanLabel(const void* pScanBuffer, WCHAR* pszTarget, size_t cchTarget)
{
    FATAL_ASSERT(NULL != pszTarget && cchTarget > 0);
    const BYTE* pbBuffer = (const BYTE*)pScanBuffer;
    DWORD dwAllocated = 0;
    memcpy(&dwAllocated, pbBuffer, sizeof(dwAllocated));
    size_t nOffset = GetScanLabelOffset(pScanBuffer);
    // Units that lie wholly inside the allocated buffer.
    size_t cchAvailable = nOffset < dwAllocated ? (dwAllocated - nOffset) / sizeof(UTF16UNIT) : 0;
    size_t i = 0;
    for (; i + 1 < cchTarget && i < cchAvailable; i++) {
        UTF16UNIT unit;
        memcpy(&unit, pbBuffer + nOffset + i * sizeof(UTF16UNIT), sizeof(unit));
        if (0 == unit) {
            break;
        }
        pszTarget[i] = (WCHAR)unit;
    }
    pszTarget[i] = L'\0';
}
