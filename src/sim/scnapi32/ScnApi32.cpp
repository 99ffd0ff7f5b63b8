// SCNAPI32.dll: the stand-in for the Symbol scanner library. It plays the
// terminal on the simulated-terminal machinery (sim/SimTerminal.h): each
// fed label completes the oldest outstanding read, every call is logged, and
// any call can be refused by its name. Per device it keeps what a terminal
// keeps: the list of enabled decoders, each decoder's parameter block and
// the scan parameters, across closing and opening again.
//
// Conditions it reads:
//   devices=SCN1:        the scanner devices present, separated by commas
//                        (default SCN1:; empty: none)
//   decoders=59          the codes a device has enabled when it is opened,
//                        as if another program had set them (empty: none;
//                        absent: the device keeps what it was last told)
//   label-offset=N       where a buffer allocated from now on puts the label
//                        text (bytes, even, at least 16; default 148)
//   head-used=N          the used-bytes word written into a completed buffer
//                        (default: head, gap and text); below 16 the head
//                        holds no offset and the text is at byte 148
//   refuse=SCAN_...      any call by its name (sim/SimConditions.h)
#include "vendor/ScnApi.h"

#include <stdlib.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "sim/SimTerminal.h"

// The stand-in's failures; every non-zero status is a failure to the caller.
#define SIM_SCN_REFUSED 0xA0000001
#define SIM_SCN_NO_DEVICE 0xA0000002
#define SIM_SCN_BAD_HANDLE 0xA0000003
#define SIM_SCN_BAD_RECORD 0xA0000004
#define SIM_SCN_NOT_READY 0xA0000005
#define SIM_SCN_BAD_ARGUMENT 0xA0000006

namespace {

struct Device
{
    std::vector<BYTE> decoders;
    std::map<BYTE, SCN_DECODER_PARAMS> params;
    SCN_SCAN_PARAMS scanParams;
};

struct OpenHandle
{
    std::wstring strDevice;
    bool fReady = false;
};

struct ScanBuffer
{
    DWORD cchLabel;
    DWORD cbAllocated;
    DWORD cbLabelOffset;
};

struct PendingRead
{
    HANDLE hScanner;
    void* pBuffer;
    // Our own handle to the caller's event, so that signalling it stays safe
    // whatever the caller does with its handle meanwhile.
    HANDLE hEvent;
    DWORD dwRequestId;
};

std::map<std::wstring, Device> gDevices;
std::map<HANDLE, OpenHandle> gHandles;
std::map<void*, ScanBuffer> gBuffers;
std::vector<PendingRead> gReads;
ULONG_PTR gnNextHandle = 0x5C000001;
DWORD gdwNextRequest = 1;

unsigned long long AsNumber(const void* p)
{
    return (unsigned long long)(ULONG_PTR)p;
}

std::string QuoteCode(LPDECODER pDecoder)
{
    return NULL == pDecoder ? std::string("null") : QuoteBytes((const char*)pDecoder, 1);
}

std::string QuoteCodes(const BYTE* pbCodes, size_t cCodes)
{
    return QuoteBytes((const char*)pbCodes, cCodes);
}

// Whether every byte after the head is 0, as the caller prepares a record
// for a "get" call.
bool IsClean(const void* pRecord, size_t cbRecord)
{
    const BYTE* pb = (const BYTE*)pRecord;
    for (size_t i = SCN_HEAD_SIZE; i < cbRecord; i++) {
        if (0 != pb[i]) {
            return false;
        }
    }
    return true;
}

bool IsDevicePresent(const std::wstring& strDevice)
{
    const char* pszDevices = SimGetConditions().Get("devices");
    std::string strList = NULL == pszDevices ? std::string("SCN1:") : std::string(pszDevices);
    std::string strName(strDevice.begin(), strDevice.end());
    size_t nPos = 0;
    while (nPos <= strList.size()) {
        size_t nEnd = strList.find(',', nPos);
        if (std::string::npos == nEnd) {
            nEnd = strList.size();
        }
        std::string strItem = strList.substr(nPos, nEnd - nPos);
        while (!strItem.empty() && ' ' == strItem.front()) {
            strItem.erase(0, 1);
        }
        while (!strItem.empty() && ' ' == strItem.back()) {
            strItem.pop_back();
        }
        if (!strItem.empty() && strItem == strName) {
            return true;
        }
        nPos = nEnd + 1;
    }
    return false;
}

// The decoders that the conditions say a device has at its opening.
void ApplyDecoderCondition(Device* pDevice)
{
    const char* pszDecoders = SimGetConditions().Get("decoders");
    if (NULL == pszDecoders) {
        return;
    }
    pDevice->decoders.clear();
    for (const char* p = pszDecoders; '\0' != *p && pDevice->decoders.size() < SCN_MAX_DECODERS; p++) {
        pDevice->decoders.push_back((BYTE)*p);
    }
}

// A device as it is when first opened.
Device NewDevice()
{
    Device device;
    SCN_SCAN_PARAMS& sp = device.scanParams;
    memset(&sp, 0, sizeof(sp));
    sp.dwAllocated = sizeof(sp);
    sp.dwUsed = (DWORD)offsetof(SCN_SCAN_PARAMS, rgbReserved);
    sp.dwCodeIdType = 2;
    sp.dwScanType = 1;
    sp.bFeedback = TRUE;
    sp.dwGoodReadTime = 200;
    sp.dwGoodReadPitch = 2670;
    sp.dwGoodReadLight = 100;
    static const char szDefaultSound[] = "\\Windows\\scan.wav";
    for (size_t i = 0; i < sizeof(szDefaultSound); i++) {
        sp.szSoundFile[i] = (UTF16UNIT)(unsigned char)szDefaultSound[i];
    }
    return device;
}

// A decoder's parameters as the device reports them before anyone set them:
// its code at offset 8 and a value of its own in every other word, so that
// a caller's words that were meant to stay are seen to stay.
SCN_DECODER_PARAMS NewDecoderParams(BYTE bDecoder)
{
    SCN_DECODER_PARAMS params;
    params.dwAllocated = sizeof(params);
    params.dwUsed = sizeof(params);
    params.rgdwWords[0] = bDecoder;
    for (DWORD i = 1; i < SCN_DECODER_PARAMS_WORDS; i++) {
        params.rgdwWords[i] = 0x1000 + SCN_HEAD_SIZE + 4 * i;
    }
    return params;
}

std::string FormatWords(const SCN_DECODER_PARAMS& params)
{
    std::string strWords;
    char szWord[32];
    for (DWORD i = 0; i < SCN_DECODER_PARAMS_WORDS; i++) {
        snprintf(szWord, sizeof(szWord), "%s%u:%lu", 0 == i ? "" : ",",
                 (unsigned)(SCN_HEAD_SIZE + 4 * i), (unsigned long)params.rgdwWords[i]);
        strWords += szWord;
    }
    return strWords;
}

// The device behind an open handle, or NULL. With fNeedReady the handle must
// have been made ready as well; *pdwStatus says why not.
Device* FindDevice(HANDLE hScanner, bool fNeedReady, DWORD* pdwStatus)
{
    auto it = gHandles.find(hScanner);
    if (gHandles.end() == it) {
        *pdwStatus = SIM_SCN_BAD_HANDLE;
        return NULL;
    }
    if (fNeedReady && !it->second.fReady) {
        *pdwStatus = SIM_SCN_NOT_READY;
        return NULL;
    }
    *pdwStatus = E_SCN_SUCCESS;
    return &gDevices[it->second.strDevice];
}

// What a "get" call found in the caller's record before filling it, for the log.
struct RecordHead
{
    unsigned long ulAllocated;
    unsigned long ulUsed;
    int nClean;
};

template <class TRecord>
RecordHead ReadRecordHead(const TRecord* pRecord)
{
    RecordHead head = { 0, 0, 0 };
    if (NULL != pRecord) {
        head.ulAllocated = (unsigned long)pRecord->dwAllocated;
        head.ulUsed = (unsigned long)pRecord->dwUsed;
        head.nClean = IsClean(pRecord, sizeof(*pRecord)) ? 1 : 0;
    }
    return head;
}

// The checks of every record call, in this order: the call refused by the
// conditions, an unknown or unready device (*ppDevice stays null), a record
// the call cannot take. TRUE when the call may go on; else *pdwStatus says why.
bool CheckRecordCall(const char* pszCall, HANDLE hScanner, bool fRecordUsable, Device** ppDevice,
                     DWORD* pdwStatus)
{
    *ppDevice = NULL;
    if (SimRefuses(pszCall)) {
        *pdwStatus = SIM_SCN_REFUSED;
        return false;
    }
    *ppDevice = FindDevice(hScanner, true, pdwStatus);
    if (NULL == *ppDevice) {
        return false;
    }
    if (!fRecordUsable) {
        *pdwStatus = SIM_SCN_BAD_RECORD;
        return false;
    }
    return true;
}

void DropRead(const PendingRead& read, const char* pszReason)
{
    SimLog("*drop request=%lu reason=%s", (unsigned long)read.dwRequestId, pszReason);
    CloseHandle(read.hEvent);
}

// Writes a label into a read's buffer as the terminal does.
void FillBuffer(void* pBuffer, const ScanBuffer& buffer, const SimLabel& label, size_t* pcchStored,
                DWORD* pdwUsed, DWORD* pdwOffset)
{
    BYTE* pb = (BYTE*)pBuffer;
    long long nHeadUsed = SimGetConditions().GetNumber("head-used", -1);
    DWORD dwOffset = buffer.cbLabelOffset;
    if (nHeadUsed >= 0 && nHeadUsed < (long long)sizeof(SCN_BUFFER_HEAD)) {
        dwOffset = SCN_DEFAULT_LABEL_OFFSET;
    }
    // The buffer holds cchLabel units with the terminator: a longer label is cut.
    size_t cch = label.rgText.size();
    if (cch > buffer.cchLabel - 1) {
        cch = buffer.cchLabel - 1;
    }
    memset(pb + sizeof(SCN_BUFFER_HEAD), 0, buffer.cbAllocated - sizeof(SCN_BUFFER_HEAD));
    memcpy(pb + dwOffset, label.rgText.data(), cch * sizeof(UTF16UNIT));
    SCN_BUFFER_HEAD head;
    head.dwAllocated = buffer.cbAllocated;
    head.dwUsed = nHeadUsed >= 0 ? (DWORD)nHeadUsed : dwOffset + (DWORD)((cch + 1) * sizeof(UTF16UNIT));
    head.dwStatus = E_SCN_SUCCESS;
    // A short head has no offset word: whatever stands there must not be used.
    head.dwDataOffset = head.dwUsed >= sizeof(SCN_BUFFER_HEAD) ? dwOffset : 0xDEAD;
    memcpy(pb, &head, sizeof(head));
    *pcchStored = cch;
    *pdwUsed = head.dwUsed;
    *pdwOffset = dwOffset;
}

// On the watcher thread, with the lock held: each fed label completes the
// oldest outstanding read.
void CompleteReads()
{
    while (!gReads.empty() && SimPendingLabels() > 0) {
        PendingRead read = gReads.front();
        gReads.erase(gReads.begin());
        SimLabel label;
        SimTakeLabel(&label);
        size_t cchStored = 0;
        DWORD dwUsed = 0;
        DWORD dwOffset = 0;
        FillBuffer(read.pBuffer, gBuffers[read.pBuffer], label, &cchStored, &dwUsed, &dwOffset);
        SimLog("*complete request=%lu label=%s stored=%llu offset=%lu used=%lu",
               (unsigned long)read.dwRequestId,
               QuoteUnits(label.rgText.data(), label.rgText.size()).c_str(),
               (unsigned long long)cchStored, (unsigned long)dwOffset, (unsigned long)dwUsed);
        SetEvent(read.hEvent);
        CloseHandle(read.hEvent);
    }
}

// Drops the outstanding reads that match.
template <class TMatch>
void DropReads(TMatch match, const char* pszReason)
{
    for (size_t i = 0; i < gReads.size();) {
        if (match(gReads[i])) {
            DropRead(gReads[i], pszReason);
            gReads.erase(gReads.begin() + (ptrdiff_t)i);
        } else {
            i++;
        }
    }
}

}

DWORD WINAPI SCAN_OpenDevice(LPCWSTR pszDevice, HANDLE* phScanner)
{
    SimGuard guard;
    DWORD dwStatus = E_SCN_SUCCESS;
    HANDLE hScanner = NULL;
    if (SimRefuses("SCAN_OpenDevice")) {
        dwStatus = SIM_SCN_REFUSED;
    } else if (NULL == pszDevice || NULL == phScanner) {
        dwStatus = SIM_SCN_BAD_ARGUMENT;
    } else if (!IsDevicePresent(pszDevice)) {
        dwStatus = SIM_SCN_NO_DEVICE;
    } else {
        if (gDevices.end() == gDevices.find(pszDevice)) {
            gDevices[pszDevice] = NewDevice();
        }
        ApplyDecoderCondition(&gDevices[pszDevice]);
        hScanner = (HANDLE)gnNextHandle++;
        OpenHandle open;
        open.strDevice = pszDevice;
        gHandles[hScanner] = open;
        *phScanner = hScanner;
    }
    SimLog("SCAN_OpenDevice device=%s handle=0x%llx result=0x%lx", QuoteWide(pszDevice).c_str(),
           AsNumber(hScanner), (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI SCAN_ReadyDevice(HANDLE hScanner)
{
    SimGuard guard;
    DWORD dwStatus = E_SCN_SUCCESS;
    if (SimRefuses("SCAN_ReadyDevice")) {
        dwStatus = SIM_SCN_REFUSED;
    } else if (NULL != FindDevice(hScanner, false, &dwStatus)) {
        gHandles[hScanner].fReady = true;
    }
    SimLog("SCAN_ReadyDevice handle=0x%llx result=0x%lx", AsNumber(hScanner), (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI SCAN_CloseDevice(HANDLE hScanner)
{
    SimGuard guard;
    DWORD dwStatus = E_SCN_SUCCESS;
    if (SimRefuses("SCAN_CloseDevice")) {
        dwStatus = SIM_SCN_REFUSED;
    } else if (NULL != FindDevice(hScanner, false, &dwStatus)) {
        DropReads([hScanner](const PendingRead& read) { return read.hScanner == hScanner; },
                  "device-closed");
        gHandles.erase(hScanner);
        if (gHandles.empty()) {
            SimStopWatcher();
        }
    }
    SimLog("SCAN_CloseDevice handle=0x%llx result=0x%lx", AsNumber(hScanner), (unsigned long)dwStatus);
    return dwStatus;
}

void* WINAPI SCAN_AllocBuffer(BOOL bText, DWORD dwSize)
{
    SimGuard guard;
    void* pBuffer = NULL;
    ScanBuffer buffer = {};
    if (!SimRefuses("SCAN_AllocBuffer") && dwSize > 0 && dwSize <= 0x10000) {
        long long nOffset = SimGetConditions().GetNumber("label-offset", SCN_DEFAULT_LABEL_OFFSET);
        if (nOffset < (long long)sizeof(SCN_BUFFER_HEAD) || nOffset > 0x10000 || 0 != nOffset % 2) {
            nOffset = SCN_DEFAULT_LABEL_OFFSET;
        }
        buffer.cchLabel = dwSize;
        buffer.cbLabelOffset = (DWORD)nOffset;
        DWORD cbStart = buffer.cbLabelOffset > SCN_DEFAULT_LABEL_OFFSET ? buffer.cbLabelOffset
                                                                        : SCN_DEFAULT_LABEL_OFFSET;
        buffer.cbAllocated = cbStart + dwSize * (DWORD)sizeof(UTF16UNIT);
        pBuffer = calloc(1, buffer.cbAllocated);
        if (NULL != pBuffer) {
            SCN_BUFFER_HEAD head = { buffer.cbAllocated, (DWORD)sizeof(SCN_BUFFER_HEAD), 0, buffer.cbLabelOffset };
            memcpy(pBuffer, &head, sizeof(head));
            gBuffers[pBuffer] = buffer;
        }
    }
    SimLog("SCAN_AllocBuffer text=%d size=%lu allocated=%lu result=0x%llx", bText,
           (unsigned long)dwSize, (unsigned long)buffer.cbAllocated, AsNumber(pBuffer));
    return pBuffer;
}

DWORD WINAPI SCAN_FreeBuffer(void* pScanBuffer)
{
    SimGuard guard;
    DWORD dwStatus = E_SCN_SUCCESS;
    if (SimRefuses("SCAN_FreeBuffer")) {
        dwStatus = SIM_SCN_REFUSED;
    } else if (gBuffers.end() == gBuffers.find(pScanBuffer)) {
        dwStatus = SIM_SCN_BAD_ARGUMENT;
    } else {
        DropReads([pScanBuffer](const PendingRead& read) { return read.pBuffer == pScanBuffer; },
                  "buffer-freed");
        gBuffers.erase(pScanBuffer);
        free(pScanBuffer);
    }
    SimLog("SCAN_FreeBuffer buffer=0x%llx result=0x%lx", AsNumber(pScanBuffer), (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI SCAN_SubmitRead(HANDLE hScanner, void* pScanBuffer, HANDLE hEvent,
                                    DWORD dwTimeout, DWORD* pdwRequestId)
{
    SimGuard guard;
    DWORD dwStatus = E_SCN_SUCCESS;
    size_t cOutstanding = 0;
    for (const PendingRead& read : gReads) {
        if (read.hScanner == hScanner) {
            cOutstanding++;
        }
    }
    DWORD dwRequestId = 0;
    HANDLE hOwnEvent = NULL;
    if (SimRefuses("SCAN_SubmitRead")) {
        dwStatus = SIM_SCN_REFUSED;
    } else if (NULL == FindDevice(hScanner, true, &dwStatus)) {
        // dwStatus says why.
    } else if (gBuffers.end() == gBuffers.find(pScanBuffer) || NULL == pdwRequestId
               || !DuplicateHandle(GetCurrentProcess(), hEvent, GetCurrentProcess(), &hOwnEvent,
                                   0, FALSE, DUPLICATE_SAME_ACCESS)) {
        dwStatus = SIM_SCN_BAD_ARGUMENT;
    } else {
        dwRequestId = gdwNextRequest++;
        *pdwRequestId = dwRequestId;
        PendingRead read = { hScanner, pScanBuffer, hOwnEvent, dwRequestId };
        gReads.push_back(read);
        SimStartWatcher(CompleteReads);
    }
    SimLog("SCAN_SubmitRead handle=0x%llx buffer=0x%llx event=0x%llx timeout=%lu outstanding=%llu "
           "request=%lu result=0x%lx",
           AsNumber(hScanner), AsNumber(pScanBuffer), AsNumber(hEvent), (unsigned long)dwTimeout,
           (unsigned long long)cOutstanding, (unsigned long)dwRequestId, (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI SCAN_GetDecoderList(HANDLE hScanner, SCN_DECODER_LIST* pList)
{
    SimGuard guard;
    DWORD dwStatus = E_SCN_SUCCESS;
    RecordHead head = ReadRecordHead(pList);
    Device* pDevice = NULL;
    if (CheckRecordCall("SCAN_GetDecoderList", hScanner,
                        NULL != pList && pList->dwAllocated >= sizeof(SCN_DECODER_LIST), &pDevice,
                        &dwStatus)) {
        pList->dwCount = (DWORD)pDevice->decoders.size();
        memcpy(pList->rgbDecoders, pDevice->decoders.data(), pDevice->decoders.size());
        pList->dwUsed = (DWORD)(offsetof(SCN_DECODER_LIST, rgbDecoders) + pDevice->decoders.size());
    }
    SimLog("SCAN_GetDecoderList handle=0x%llx allocated=%lu used=%lu clean=%d decoders=%s result=0x%lx",
           AsNumber(hScanner), head.ulAllocated, head.ulUsed, head.nClean,
           NULL == pDevice ? "null" : QuoteCodes(pDevice->decoders.data(), pDevice->decoders.size()).c_str(),
           (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI SCAN_SetDecoderList(HANDLE hScanner, SCN_DECODER_LIST* pList)
{
    SimGuard guard;
    DWORD dwStatus = E_SCN_SUCCESS;
    Device* pDevice = NULL;
    std::string strCodes = "null";
    if (NULL != pList && pList->dwCount <= SCN_MAX_DECODERS) {
        strCodes = QuoteCodes(pList->rgbDecoders, pList->dwCount);
    }
    bool fUsable = NULL != pList && pList->dwAllocated >= sizeof(SCN_DECODER_LIST)
                   && pList->dwCount <= SCN_MAX_DECODERS
                   && pList->dwUsed >= offsetof(SCN_DECODER_LIST, rgbDecoders) + pList->dwCount;
    if (CheckRecordCall("SCAN_SetDecoderList", hScanner, fUsable, &pDevice, &dwStatus)) {
        pDevice->decoders.assign(pList->rgbDecoders, pList->rgbDecoders + pList->dwCount);
    }
    SimLog("SCAN_SetDecoderList handle=0x%llx allocated=%lu used=%lu decoders=%s result=0x%lx",
           AsNumber(hScanner), NULL == pList ? 0UL : (unsigned long)pList->dwAllocated,
           NULL == pList ? 0UL : (unsigned long)pList->dwUsed, strCodes.c_str(), (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI SCAN_GetDecoderParams(HANDLE hScanner, LPDECODER pDecoder, SCN_DECODER_PARAMS* pParams)
{
    SimGuard guard;
    DWORD dwStatus = E_SCN_SUCCESS;
    RecordHead head = ReadRecordHead(pParams);
    Device* pDevice = NULL;
    if (CheckRecordCall("SCAN_GetDecoderParams", hScanner,
                        NULL != pDecoder && NULL != pParams
                            && pParams->dwAllocated >= sizeof(SCN_DECODER_PARAMS),
                        &pDevice, &dwStatus)) {
        if (pDevice->params.end() == pDevice->params.find(pDecoder[0])) {
            pDevice->params[pDecoder[0]] = NewDecoderParams(pDecoder[0]);
        }
        DWORD dwCallerAllocated = pParams->dwAllocated;
        *pParams = pDevice->params[pDecoder[0]];
        pParams->dwAllocated = dwCallerAllocated;
    }
    SimLog("SCAN_GetDecoderParams handle=0x%llx decoder=%s allocated=%lu used=%lu clean=%d result=0x%lx",
           AsNumber(hScanner), QuoteCode(pDecoder).c_str(), head.ulAllocated, head.ulUsed,
           head.nClean, (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI SCAN_SetDecoderParams(HANDLE hScanner, LPDECODER pDecoder, SCN_DECODER_PARAMS* pParams)
{
    SimGuard guard;
    DWORD dwStatus = E_SCN_SUCCESS;
    Device* pDevice = NULL;
    if (CheckRecordCall("SCAN_SetDecoderParams", hScanner,
                        NULL != pDecoder && NULL != pParams
                            && pParams->dwAllocated >= sizeof(SCN_DECODER_PARAMS),
                        &pDevice, &dwStatus)) {
        pDevice->params[pDecoder[0]] = *pParams;
    }
    SimLog("SCAN_SetDecoderParams handle=0x%llx decoder=%s allocated=%lu used=%lu words=%s result=0x%lx",
           AsNumber(hScanner), QuoteCode(pDecoder).c_str(),
           NULL == pParams ? 0UL : (unsigned long)pParams->dwAllocated,
           NULL == pParams ? 0UL : (unsigned long)pParams->dwUsed,
           NULL == pParams ? "null" : FormatWords(*pParams).c_str(), (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI SCAN_GetScanParams(HANDLE hScanner, SCN_SCAN_PARAMS* pParams)
{
    SimGuard guard;
    DWORD dwStatus = E_SCN_SUCCESS;
    RecordHead head = ReadRecordHead(pParams);
    Device* pDevice = NULL;
    if (CheckRecordCall("SCAN_GetScanParams", hScanner,
                        NULL != pParams && pParams->dwAllocated >= sizeof(SCN_SCAN_PARAMS), &pDevice,
                        &dwStatus)) {
        DWORD dwCallerAllocated = pParams->dwAllocated;
        *pParams = pDevice->scanParams;
        pParams->dwAllocated = dwCallerAllocated;
    }
    SimLog("SCAN_GetScanParams handle=0x%llx allocated=%lu used=%lu clean=%d result=0x%lx",
           AsNumber(hScanner), head.ulAllocated, head.ulUsed, head.nClean, (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI SCAN_SetScanParams(HANDLE hScanner, SCN_SCAN_PARAMS* pParams)
{
    SimGuard guard;
    DWORD dwStatus = E_SCN_SUCCESS;
    Device* pDevice = NULL;
    if (CheckRecordCall("SCAN_SetScanParams", hScanner,
                        NULL != pParams && pParams->dwAllocated >= sizeof(SCN_SCAN_PARAMS), &pDevice,
                        &dwStatus)) {
        pDevice->scanParams = *pParams;
    }
    if (NULL == pParams) {
        SimLog("SCAN_SetScanParams handle=0x%llx params=null result=0x%lx", AsNumber(hScanner),
               (unsigned long)dwStatus);
        return dwStatus;
    }
    size_t cchPath = 0;
    while (cchPath < SCN_SOUND_FILE_LENGTH && 0 != pParams->szSoundFile[cchPath]) {
        cchPath++;
    }
    SimLog("SCAN_SetScanParams handle=0x%llx allocated=%lu used=%lu codeid=%lu scantype=%lu "
           "feedback=%d values=%lu,%lu,%lu path=%s result=0x%lx",
           AsNumber(hScanner), (unsigned long)pParams->dwAllocated, (unsigned long)pParams->dwUsed,
           (unsigned long)pParams->dwCodeIdType, (unsigned long)pParams->dwScanType,
           pParams->bFeedback, (unsigned long)pParams->dwGoodReadTime,
           (unsigned long)pParams->dwGoodReadPitch, (unsigned long)pParams->dwGoodReadLight,
           QuoteUnits(pParams->szSoundFile, cchPath).c_str(), (unsigned long)dwStatus);
    return dwStatus;
}
