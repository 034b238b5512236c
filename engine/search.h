#pragma once
// The file search and the directory walk of a search run.

#include <string>
#include <vector>

class FileSystem;

// What the walk needs of the worker that runs it: the worker's fields it reads and
// writes, and the three steps it hands over to the window.
class SearchWorker {
public:
    virtual ~SearchWorker() = default;

    bool FoundAny = false;              // set at every match, never reset here
    bool StopSeen = false;              // the window's stop request, as PollStop last saw it
    std::string Pattern;                // the file-name pattern, never empty here
    std::string ShownDir;               // the directory whose files are being matched
    std::vector<std::string> FileList;  // full paths collected, in order of discovery

    virtual void ShowDir() = 0;   // the window shows ShownDir
    virtual void ShowList() = 0;  // the window shows the whole of FileList
    virtual void PollStop() = 0;  // StopSeen becomes the window's stop request
};

// Both return 0 when the search ran to its end and -1 when it ended on a stop request.
int SearchDir(SearchWorker& worker, const std::string& directory, const std::string& pattern);
int SearchTree(SearchWorker& worker, const std::string& directory);

// The same on a given file system; the two above use the real one, tests a scripted one.
int SearchDir(SearchWorker& worker, const std::string& directory, const std::string& pattern,
              FileSystem& fileSystem);
int SearchTree(SearchWorker& worker, const std::string& directory, FileSystem& fileSystem);
