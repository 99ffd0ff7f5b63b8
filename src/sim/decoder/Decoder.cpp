// The stand-in for the Falcon terminals' decoder library DECODER. It plays a
// terminal whose decoder devices, trigger types and read failures come from
// the conditions file, and whose labels come from the feed:
//
//   device1 ... device9   the enumeration word of that device (default:
//                         device1=1, the others 0). For every non-zero word
//                         the file "DCD<n>:" is made in the current folder,
//                         which is what the platform's file-open call opens
//                         for a device name here; the files go when the
//                         process ends.
//   nofile=3,5            those devices are reported, but their file is
//                         removed instead, so that opening them fails
//   trigger1, trigger2    the types DcdGetTriggerType reports for the
//                         triggers 0x00010000 and 0x00020000 (default 1)
//   pace=250              a label is announced only once the one before has
//                         been read and this many milliseconds have passed
//                         since; 0 announces each label as soon as it is fed
//   refuse=Call[@n]       that call does nothing and returns 0
//
// Label attributes: {fail} makes its read fail; {fill} makes the read fill
// the whole buffer with the label and leave out the terminator.
//
// Each label fed while a read request is outstanding is announced by posting
// the request's message to its window; each DcdReadString hands out the
// oldest announced label. DcdFlushData and DcdCancelRequest drop announced
// labels that have not been read.
#include "vendor/Decoder.h"

#include <stdio.h>

#include <deque>
#include <string>
#include <vector>

#include "sim/SimTerminal.h"

#define DEFAULT_PACE_MS 250
#define DEFAULT_TRIGGER_TYPE 1

namespace {

struct DeviceFile
{
    unsigned nDevice;
    std::wstring strPath;
    DWORD dwVolume;
    DWORD dwIndexHigh;
    DWORD dwIndexLow;
};

struct DecoderState
{
    std::vector<DeviceFile> files;
    DWORD dwRequest = 0;
    DWORD dwLastRequest = 0;
    HWND hWnd = NULL;
    UINT uMsg = 0;
    std::deque<SimLabel> announced;
    ULONGLONG ullLastRead = 0;
};

DecoderState& State()
{
    static DecoderState state;
    return state;
}

std::string DeviceName(unsigned nDevice)
{
    return "DCD" + std::to_string(nDevice) + ":";
}

// The device a handle was opened on, as the call log names it.
std::string HandleName(HANDLE hDcd)
{
    if (INVALID_HANDLE_VALUE == hDcd || NULL == hDcd) {
        return "none";
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(hDcd, &info)) {
        for (const DeviceFile& file : State().files) {
            if (file.dwVolume == info.dwVolumeSerialNumber && file.dwIndexHigh == info.nFileIndexHigh &&
                file.dwIndexLow == info.nFileIndexLow) {
                return "\"" + DeviceName(file.nDevice) + "\"";
            }
        }
    }
    return "unknown";
}

bool IsListed(const char* pszList, unsigned nDevice)
{
    if (NULL == pszList) {
        return false;
    }
    std::string strList = std::string(",") + pszList + ",";
    std::string strItem;
    for (char ch : strList) {
        if (',' == ch) {
            if (strItem == std::to_string(nDevice)) {
                return true;
            }
            strItem.clear();
        } else if (' ' != ch) {
            strItem += ch;
        }
    }
    return false;
}

std::wstring CurrentFolder()
{
    WCHAR szFolder[MAX_PATH];
    DWORD cch = GetCurrentDirectoryW(MAX_PATH, szFolder);
    return (cch > 0 && cch < MAX_PATH) ? std::wstring(szFolder) : std::wstring(L".");
}

// Makes (or, with nofile, removes) the file that stands for a reported device.
void PrepareDeviceFile(unsigned nDevice, bool fNoFile)
{
    std::wstring strFolder = CurrentFolder();
    if (!strFolder.empty() && L'\\' != strFolder.back()) {
        strFolder += L'\\';
    }
    std::string strName = DeviceName(nDevice);
    std::wstring strPath = strFolder + std::wstring(strName.begin(), strName.end());
    if (fNoFile) {
        DeleteFileW(strPath.c_str());
        SimLog("*device-file name=\"%s\" made=0", strName.c_str());
        return;
    }
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (INVALID_HANDLE_VALUE == hFile) {
        SimLog("*device-file name=\"%s\" made=0 error=%lu", strName.c_str(), GetLastError());
        return;
    }
    BY_HANDLE_FILE_INFORMATION info;
    ZeroMemory(&info, sizeof(info));
    GetFileInformationByHandle(hFile, &info);
    CloseHandle(hFile);
    std::vector<DeviceFile>& files = State().files;
    for (DeviceFile& file : files) {
        if (file.strPath == strPath) {
            file.dwVolume = info.dwVolumeSerialNumber;
            file.dwIndexHigh = info.nFileIndexHigh;
            file.dwIndexLow = info.nFileIndexLow;
            SimLog("*device-file name=\"%s\" made=1", strName.c_str());
            return;
        }
    }
    files.push_back(DeviceFile{ nDevice, strPath, info.dwVolumeSerialNumber, info.nFileIndexHigh,
                                info.nFileIndexLow });
    SimLog("*device-file name=\"%s\" made=1", strName.c_str());
}

void RemoveDeviceFiles()
{
    for (const DeviceFile& file : State().files) {
        DeleteFileW(file.strPath.c_str());
    }
    State().files.clear();
}

// Announces fed labels while a request is outstanding (watcher thread, lock held).
void Pump()
{
    DecoderState& s = State();
    if (0 == s.dwRequest) {
        return;
    }
    long long nPace = SimGetConditions().GetNumber("pace", DEFAULT_PACE_MS);
    SimLabel label;
    for (;;) {
        if (nPace > 0 && (!s.announced.empty() || GetTickCount64() - s.ullLastRead < (ULONGLONG)nPace)) {
            return;
        }
        if (!SimTakeLabel(&label)) {
            return;
        }
        s.announced.push_back(label);
        SimPostMessage(s.hWnd, s.uMsg, 0, 0);
    }
}

void DropAnnounced(DecoderState& s)
{
    s.announced.clear();
    s.ullLastRead = GetTickCount64();
}

}

BOOL WINAPI DcdEnumDevices(DWORD* pdwDevices)
{
    SimGuard guard;
    if (SimRefuses("DcdEnumDevices") || NULL == pdwDevices) {
        SimLog("DcdEnumDevices result=0");
        return FALSE;
    }
    SimConditions conditions = SimGetConditions();
    const char* pszNoFile = conditions.Get("nofile");
    std::string strWords;
    for (unsigned i = 0; i < DCD_MAX_DEVICES; i++) {
        std::string strName = "device" + std::to_string(i + 1);
        pdwDevices[i] = (DWORD)conditions.GetNumber(strName.c_str(), 0 == i ? 1 : 0);
        if (0 != pdwDevices[i]) {
            PrepareDeviceFile(i + 1, IsListed(pszNoFile, i + 1));
        }
        char szWord[16];
        snprintf(szWord, sizeof(szWord), "%s0x%lx", 0 == i ? "" : ",", pdwDevices[i]);
        strWords += szWord;
    }
    SimLog("DcdEnumDevices words=%s result=1", strWords.c_str());
    return TRUE;
}

DWORD WINAPI DcdGetTriggerType(DWORD dwTrigger)
{
    SimGuard guard;
    DWORD dwType = 0;
    if (!SimRefuses("DcdGetTriggerType")) {
        const char* pszName = (DCD_TRIGGER_1 == dwTrigger) ? "trigger1"
                              : (DCD_TRIGGER_2 == dwTrigger) ? "trigger2" : NULL;
        if (NULL != pszName) {
            dwType = (DWORD)SimGetConditions().GetNumber(pszName, DEFAULT_TRIGGER_TYPE);
        }
    }
    SimLog("DcdGetTriggerType trigger=0x%lx result=0x%lx", dwTrigger, dwType);
    return dwType;
}

BOOL WINAPI DcdSetTriggerType(DWORD dwTrigger, DWORD dwType)
{
    SimGuard guard;
    BOOL fResult = SimRefuses("DcdSetTriggerType") ? FALSE : TRUE;
    SimLog("DcdSetTriggerType trigger=0x%lx type=0x%lx result=%d", dwTrigger, dwType, fResult);
    return fResult;
}

DWORD WINAPI DcdPostRequestMsg(HANDLE hDcd, DWORD dwRequestType, HWND hWnd, UINT uMsg)
{
    SimGuard guard;
    DecoderState& s = State();
    DWORD dwRequest = 0;
    if (!SimRefuses("DcdPostRequestMsg")) {
        dwRequest = ++s.dwLastRequest;
        s.dwRequest = dwRequest;
        s.hWnd = hWnd;
        s.uMsg = uMsg;
        DropAnnounced(s);
        s.ullLastRead = 0;
        SimStartWatcher(Pump);
    }
    SimLog("DcdPostRequestMsg device=%s type=0x%lx hwnd=0x%llx msg=%u result=%lu",
           HandleName(hDcd).c_str(), dwRequestType, (unsigned long long)(UINT_PTR)hWnd, uMsg,
           dwRequest);
    return dwRequest;
}

BOOL WINAPI DcdReadString(HANDLE hDcd, DWORD dwRequest, WCHAR* pszBuffer,
                                      DWORD cchBuffer, DWORD* pcchLength)
{
    SimGuard guard;
    DecoderState& s = State();
    std::string strDevice = HandleName(hDcd);
    bool fRefused = SimRefuses("DcdReadString");
    if (s.announced.empty() || NULL == pszBuffer || 0 == cchBuffer) {
        SimLog("DcdReadString device=%s request=%lu capacity=%lu result=0 reason=nodata",
               strDevice.c_str(), dwRequest, cchBuffer);
        return FALSE;
    }
    SimLabel label = s.announced.front();
    s.announced.pop_front();
    s.ullLastRead = GetTickCount64();
    if (fRefused || NULL != label.GetAttribute("fail")) {
        SimLog("DcdReadString device=%s request=%lu capacity=%lu line=%lu result=0 reason=failed",
               strDevice.c_str(), dwRequest, cchBuffer, label.nLine);
        return FALSE;
    }
    std::wstring strText = SimWideText(label);
    bool fFill = NULL != label.GetAttribute("fill");
    size_t cch = strText.size();
    if (fFill) {
        // The whole buffer, and no terminator: the text runs to its last unit.
        strText.resize(cchBuffer, L'#');
        cch = cchBuffer;
    } else if (cch > cchBuffer - 1) {
        cch = cchBuffer - 1;
    }
    wmemcpy(pszBuffer, strText.data(), cch);
    if (cch < cchBuffer) {
        pszBuffer[cch] = L'\0';
    }
    if (NULL != pcchLength) {
        *pcchLength = (DWORD)cch;
    }
    SimLog("DcdReadString device=%s request=%lu capacity=%lu line=%lu text=%s length=%lu%s result=1",
           strDevice.c_str(), dwRequest, cchBuffer, label.nLine,
           QuoteUnits(reinterpret_cast<const UTF16UNIT*>(strText.data()), cch).c_str(),
           (unsigned long)cch, fFill ? " unterminated=1" : "");
    return TRUE;
}

BOOL WINAPI DcdFlushData(HANDLE hDcd)
{
    SimGuard guard;
    DecoderState& s = State();
    BOOL fResult = FALSE;
    size_t cDropped = 0;
    if (!SimRefuses("DcdFlushData")) {
        cDropped = s.announced.size();
        DropAnnounced(s);
        fResult = TRUE;
    }
    SimLog("DcdFlushData device=%s dropped=%lu result=%d", HandleName(hDcd).c_str(), (unsigned long)cDropped, fResult);
    return fResult;
}

BOOL WINAPI DcdCancelRequest(HANDLE hDcd, DWORD dwRequest)
{
    SimGuard guard;
    DecoderState& s = State();
    BOOL fResult = FALSE;
    if (!SimRefuses("DcdCancelRequest") && 0 != dwRequest && dwRequest == s.dwRequest) {
        s.dwRequest = 0;
        s.hWnd = NULL;
        DropAnnounced(s);
        SimStopWatcher();
        fResult = TRUE;
    }
    SimLog("DcdCancelRequest device=%s request=%lu result=%d", HandleName(hDcd).c_str(), dwRequest, fResult);
    return fResult;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)
{
    // The module ends: the device files it was shown go with it. The library
    // is unloaded only with the process, when no other thread runs any more,
    // so no lock is taken.
    if (DLL_PROCESS_DETACH == dwReason) {
        RemoveDeviceFiles();
    }
    return TRUE;
}
