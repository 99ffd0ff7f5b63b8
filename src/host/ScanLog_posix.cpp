#include "host/ScanLog.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "common/AnsiText.h"

// Native paths are UTF-8, as the native file opener takes them.
static std::string NativePath(const std::wstring& strPath)
{
    return NarrowUtf8(strPath.c_str());
}

LogTime GetLogTime()
{
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm tmLocal;
    localtime_r(&ts.tv_sec, &tmLocal);
    return LogTime{ (WORD)(tmLocal.tm_year + 1900), (WORD)(tmLocal.tm_mon + 1),
                    (WORD)tmLocal.tm_mday,          (WORD)tmLocal.tm_hour,
                    (WORD)tmLocal.tm_min,           (WORD)tmLocal.tm_sec,
                    (WORD)(ts.tv_nsec / 1000000) };
}

LogFile OpenLogFile(const std::wstring& strPath)
{
    int fd = open(NativePath(strPath).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    return (fd < 0) ? LOG_FILE_NONE : (LogFile)fd;
}

BOOL CreateLogFolder(const std::wstring& strFolder)
{
    return (0 == mkdir(NativePath(strFolder).c_str(), 0755) || EEXIST == errno) ? TRUE : FALSE;
}

uint64_t GetLogFileSize(LogFile hFile)
{
    struct stat st;
    return (0 == fstat((int)hFile, &st)) ? (uint64_t)st.st_size : 0;
}

// Natively there is no rename through a handle: by name, for the tests.
BOOL RenameLogFile(LogFile, const std::wstring& strPath, const std::wstring& strNewPath)
{
    return (0 == rename(NativePath(strPath).c_str(), NativePath(strNewPath).c_str())) ? TRUE
                                                                                       : FALSE;
}

BOOL WriteLogFile(LogFile hFile, const std::string& strBytes)
{
    ssize_t cbWritten = write((int)hFile, strBytes.data(), strBytes.size());
    return (cbWritten >= 0 && (size_t)cbWritten == strBytes.size()) ? TRUE : FALSE;
}

void CloseLogFile(LogFile hFile)
{
    close((int)hFile);
}
