// A GoogleTest fixture that plays the host for one input module program: the
// simulated terminal, the receiver window, the stop events made before the
// module starts, and the stop as the host does it (signal, wait at most a
// second for the answer, then for the module's end).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/ModuleReceiver.h"
#include "support/SimSession.h"
#include "support/TestInstallation.h"
#include "support/TestProcess.h"

// Starting a program under Wine, and anything that waits for it.
#define START_MS 10000
// How long the host waits for the stopped event.
#define HOST_STOP_WAIT_MS 1000

// The module pszProgram of the test program folder.
class ModuleTestFixture : public ::testing::Test
{
protected:
    explicit ModuleTestFixture(const WCHAR* pszProgram);

    void SetUp() override;
    // Ends a module that still runs and closes the stop events.
    void TearDown() override;

    // As the host: the terminal's conditions, the events first, then the
    // module, in the terminal's folder.
    void Start(const std::string& strConditions);
    // Signals the stop, expects the stopped event within the host's wait and
    // then the module's end with exit code 0.
    void StopAndExpectExit0();
    // Starts the module on a terminal it cannot use, waits for its first
    // call pszFirstCall, feeds a label and expects no delivery within half a
    // second, then stops it (StopAndExpectExit0).
    void ExpectIdleUntilStopped(const std::string& strConditions, const char* pszFirstCall);
    // Waits for the module's box, dispatching our messages meanwhile: a box
    // owned by one of our windows disables it, which takes an answer from
    // this thread. NULL after dwTimeoutMs.
    HWND WaitForBox(const WCHAR* pszCaption, DWORD dwTimeoutMs);
    // The names of the library calls so far, without the terminal's own lines.
    std::vector<std::string> CallNames() const;
    // Expects the texts the receiver got, in order, each delivered as the host
    // takes it: wParam 0, dwData 0, cbData the bytes with the terminator.
    void ExpectDelivered(const std::vector<std::wstring>& expected) const;
    // Expects the window a library call logged ("hwnd=") to be the module's
    // window: of the module's process and of the class "Scanner".
    void ExpectModuleWindow(const SimCall& call) const;

    SimSession m_sim;
    ModuleReceiver m_receiver;
    // The module's process (the receiver's).
    TestProcess& m_process;
    // Where the module is started from; NULL: the test program folder.
    const TestInstallation* m_pInstall;

private:
    const WCHAR* m_pszProgram;
};

// The module pszProgram copied with the NULL-terminated list of libraries
// into an installation of its own, and started from there.
class InstalledModuleTestFixture : public ModuleTestFixture
{
protected:
    InstalledModuleTestFixture(const WCHAR* pszProgram, const WCHAR* const* rgpszLibraries);

    TestInstallation m_install;
};
