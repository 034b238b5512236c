// The entry of Pirovan: one copy at a time, then the main window until it closes.

#include "app/Kemlo1.h"
#include "app/command_line.h"
#include "app/immediate_delete.h"
#include "framework/application.h"

#include <windows.h>

#include <exception>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "Pirovanだ");
    if (!mutex)
        return -1;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        // A second start brings the running copy forward instead of opening a window.
        HWND running = FindWindowA(nullptr, "Pirovan");
        ShowWindow(running, SW_SHOW);
        SetForegroundWindow(running);
        return 0;
    }

    fw::Application& application = fw::App();
    try {
        application.Initialize();
        application.SetTitle("Pirovan");
        application.SetHelpFile("Kemlo.hlp");
        // Relative paths are taken against the directory the program was started in.
        TakeCommandLinePaths(CommandLineArguments());
        application.CreateForm(Form1);
        application.Run();
    } catch (const std::exception& error) {
        application.ShowException(error);
    }
    CloseHandle(mutex);
    return 0;
}
