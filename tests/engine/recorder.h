#pragma once
// A worker for the search tests: records every step the search hands over, and can ask
// for a stop.

#include "engine/search.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

inline std::string CurrentDirectory()
{
    char buffer[MAX_PATH * 2];
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, length < sizeof buffer ? length : 0);
}

class Recorder : public SearchWorker {
public:
    explicit Recorder(std::string pattern = "*.bak") { Pattern = std::move(pattern); }

    std::vector<std::string> Events;          // "dir <ShownDir>", "list <size>", "poll"
    std::vector<std::string> DirsShown;
    std::vector<std::string> WhereAtShowDir;  // Where() at every ShowDir
    std::function<std::string()> Where = CurrentDirectory;
    std::function<bool(Recorder&)> StopWhen;  // asked at every poll
    int Polls = 0;

    void StopAfterPolls(int polls)
    {
        StopWhen = [polls](Recorder& r) { return r.Polls >= polls; };
    }

    void ShowDir() override
    {
        Events.push_back("dir " + ShownDir);
        DirsShown.push_back(ShownDir);
        WhereAtShowDir.push_back(Where());
    }
    void ShowList() override { Events.push_back("list " + std::to_string(FileList.size())); }
    void PollStop() override
    {
        ++Polls;
        Events.push_back("poll");
        StopSeen = StopWhen && StopWhen(*this);
    }
};
