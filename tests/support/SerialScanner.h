// The Windows side of the simulated serial scanner: the pseudo-terminal helper
// tests/support/serial-scanner.py, which links a COM port of the Wine prefix
// to a pty and obeys command files in its folder. The folder is named by the
// environment variable TVX_SERIAL_SCANNER (set by the CTest fixture
// "serial_scanner"; a demo or a benchmark that starts the helper itself sets
// it the same way). Waits dispatch this thread's messages, so that a test
// that receives scans keeps answering the module while it waits.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#define SERIAL_SCANNER_VARIABLE L"TVX_SERIAL_SCANNER"

class SerialScanner
{
public:
    // Finds the helper's folder and the port it serves.
    SerialScanner();

    SerialScanner(const SerialScanner&) = delete;
    SerialScanner& operator=(const SerialScanner&) = delete;

    // TRUE when the helper is running.
    BOOL IsReady() const { return !m_strPort.empty(); }
    // The port it serves, "COM42".
    const std::string& GetPort() const { return m_strPort; }
    // The serial module's settings file for this port: "Port=" with the port,
    // CR LF, then strLines as they are.
    std::string Settings(const std::string& strLines) const
    {
        return "Port=" + m_strPort + "\r\n" + strLines;
    }

    // Runs the commands (one per line) and waits until the helper has done
    // them, at most dwTimeoutMs; TRUE when every one succeeded. The result
    // lines are kept for GetResults.
    BOOL Run(const std::string& strCommands, DWORD dwTimeoutMs = 15000);
    const std::vector<std::string>& GetResults() const { return m_results; }

    // The bytes of strEscaped (escapes \xNN \r \n \t \\) written to the port.
    BOOL Write(const std::string& strEscaped) { return Run("write " + strEscaped); }
    // A fresh pty linked as the port: the scanner plugged in.
    BOOL Appear() { return Run("appear"); }
    // Hung up and the link removed: the scanner unplugged.
    BOOL Vanish() { return Run("vanish"); }

private:
    std::wstring m_strFolder;
    std::string m_strPort;
    unsigned m_nCommand;
    std::vector<std::string> m_results;
};
