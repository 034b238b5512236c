#pragma once
// What a search run needs of the main window. Every call is made on the UI thread, inside
// a hand-over step of the run's worker.

#include <atomic>
#include <string>
#include <vector>

class Kemlo2;

class RunWindow {
public:
    // Start, pattern box and check boxes disabled; Stop enabled.
    virtual void LockForRun() = 0;
    // Clears the stop request, empties the file list and then the directory line, and
    // copies the pattern into the worker; with a pattern also the directory and both
    // options, then records the pattern in the history and rebuilds the drop-down list.
    virtual void TakeSettings(Kemlo2& worker) = 0;
    // Every button, the pattern box and the check boxes disabled.
    virtual void LockAll() = 0;
    // Stop disabled; Start, pattern box and check boxes enabled.
    virtual void UnlockAfterRun() = 0;
    // The run is over: the directory list's directory becomes the process's current
    // directory again (the walk has moved it). Called right after UnlockAfterRun.
    virtual void RunEnded() = 0;
    // The directory line shows the directory; the file list shows the list, one per line.
    virtual void ShowDir(const std::string& directory) = 0;
    virtual void ShowList(const std::vector<std::string>& list) = 0;
    // The simple message box; returns once the user has closed it.
    virtual void Say(const std::string& message) = 0;
    // The window's stop request: set by Stop and cleared by TakeSettings, both on the UI
    // thread; the worker reads it without a hand-over.
    virtual const std::atomic<bool>& StopFlag() const = 0;

protected:
    ~RunWindow() = default;
};
