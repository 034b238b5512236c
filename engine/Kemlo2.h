#pragma once
// The worker of a search run: takes the window's settings, searches, and hands what it
// found to the shell in one delete request.

#include "engine/run_window.h"
#include "engine/search.h"
#include "engine/shell_delete.h"
#include "framework/thread.h"

#include <string>
#include <vector>

class Kemlo2 : public fw::TThread, public SearchWorker {
public:
    // The one delete request of a run; ShellDelete outside tests.
    using DeleteRequest = int (*)(const std::vector<char>& list, bool directDelete);

    // Starts a run on a worker of its own and returns at once; nothing keeps the worker.
    // The window must outlive every run: it calls CloseHandOver and WaitForAll as it closes.
    static void Run(RunWindow& window, DeleteRequest deleteRequest = ShellDelete);

    Kemlo2(RunWindow& window, DeleteRequest deleteRequest);

    // Snapshots taken by TakeSettings (FoundAny, StopSeen, Pattern, ShownDir and FileList
    // are the search's, in SearchWorker).
    bool WithSubDirs = false;
    bool DirectDelete = false;
    std::string RootDir;
    std::vector<char> DeleteBuf;  // the delete list, held only while deleting

    static const char* const SayStoppedText;
    static const char* const SayNoNameText;
    static const char* const SayNoFilesText;

    void ShowDir() override;
    void ShowList() override;
    void PollStop() override;

protected:
    void Execute() override;

private:
    void Hand(void (RunWindow::*step)());
    void Say(const char* message);
    void Unlock();  // UnlockAfterRun, then RunEnded, in one hand-over
    void Release();

    RunWindow& window_;
    DeleteRequest delete_request_;
};

// The directory without its last character if that is a separator, by characters of the
// ANSI code page: a double-byte character whose second byte is 0x5C is never cut.
std::string WithoutTrailingSeparator(const std::string& directory);
