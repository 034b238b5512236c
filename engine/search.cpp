#include "engine/search.h"

#include "engine/file_system.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace {

// Matching asks for files of every kind, and for directories only if hidden or system.
constexpr DWORD kMatchMask = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN
                             | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;  // 0x27
constexpr DWORD kWalkMask = FILE_ATTRIBUTE_DIRECTORY;                          // 0x10
constexpr DWORD kFilteredBits = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

// A delete list reserves 260 bytes per path, the terminating NUL included.
constexpr std::size_t kMaxPathBytes = 259;

bool PassesFilter(DWORD attributes, DWORD mask)
{
    DWORD filtered = attributes & kFilteredBits;
    return filtered == 0 || (filtered & mask) != 0;
}

bool IsDotEntry(const std::string& name)
{
    return name == "." || name == "..";
}

// The entries of one directory search that the attribute filter lets through, each under
// a name that names that entry in the ANSI code page.
class FilteredSearch {
public:
    FilteredSearch(FileSystem& fileSystem, const std::string& query, DWORD mask)
        : search_(fileSystem.Find(query)), mask_(mask)
    {
    }

    bool Next(std::string& name, DWORD& attributes)
    {
        FoundEntry entry;
        while (search_ && search_->Next(entry)) {
            if (!PassesFilter(entry.Attributes, mask_)) {
                continue;
            }
            // A long name the code page cannot carry would turn into a look-alike that
            // names another file, or none; the short name names this one.
            if (entry.NameFits) {
                name = std::move(entry.Name);
            } else if (!entry.ShortName.empty()) {
                name = std::move(entry.ShortName);
            } else {
                continue;
            }
            attributes = entry.Attributes;
            return true;
        }
        search_.reset();  // ended or failed: the search is closed and never asked again
        return false;
    }

private:
    std::unique_ptr<DirectorySearch> search_;
    DWORD mask_;
};

// "." and ".." and the like, which the platform resolves to another directory: what it
// finds there would be joined to the wrong one.
bool IsDotsOnly(const std::string& part)
{
    return !part.empty() && part.find_first_not_of(". ") == std::string::npos;
}

// Splits a pattern into the directory it points into and its bare wildcard. Separators
// are found character by character: a Shift-JIS trail byte may have the value of '\'.
// A directory part may only lead further down: a pattern that is absolute, names a drive
// or climbs with ".." would ignore the chosen directory, and the walk would collect the
// same files once for every directory it searches.
bool SplitPattern(const std::string& directory, const std::string& pattern,
                  std::string& searched, std::string& wildcard)
{
    searched = directory;
    std::string part;
    bool first = true;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < pattern.size()) {
            part += c;
            part += pattern[++i];
        } else if (c == ':') {
            return false;
        } else if (c == '\\' || c == '/') {
            if ((IsDotsOnly(part) && part != ".") || (first && part.empty())) {
                return false;
            }
            if (!part.empty() && part != ".") {
                searched += '\\';
                searched += part;
            }
            part.clear();
            first = false;
        } else {
            part += c;
        }
    }
    if (IsDotsOnly(part)) {
        return false;
    }
    wildcard = std::move(part);
    return true;
}

int Walk(SearchWorker& worker, const std::string& directory, FileSystem& fileSystem,
         std::vector<DirectoryId>& ancestors)
{
    {
        FilteredSearch entries(fileSystem, directory + "\\*.*", kWalkMask);
        std::string name;
        DWORD attributes = 0;
        while (entries.Next(name, attributes)) {
            worker.PollStop();
            if (worker.StopSeen) {
                return -1;
            }
            if (IsDotEntry(name)) {
                continue;
            }
            if ((name == "RECYCLED" || name == "RECYCLER") && (attributes & FILE_ATTRIBUTE_SYSTEM)) {
                continue;
            }
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                continue;
            }
            std::string child = directory + "\\" + name;
            DirectoryId id;
            bool known = fileSystem.Identify(child, id);
            // A link back to a directory being walked would be walked without end.
            if (known && std::find(ancestors.begin(), ancestors.end(), id) != ancestors.end()) {
                continue;
            }
            // Keeps the current directory in step with the walk; a refusal stops nothing.
            bool entered = fileSystem.SetCurrentDir(name);
            if (known) {
                ancestors.push_back(id);
            }
            int result = Walk(worker, child, fileSystem, ancestors);
            if (known) {
                ancestors.pop_back();
            }
            if (result != 0) {
                return result;
            }
            if (entered) {
                fileSystem.SetCurrentDir("..\\");
            }
        }
    }
    return SearchDir(worker, directory, worker.Pattern, fileSystem);
}

}  // namespace

int SearchDir(SearchWorker& worker, const std::string& directory, const std::string& pattern,
              FileSystem& fileSystem)
{
    worker.ShownDir = directory;
    worker.ShowDir();

    std::string searched;
    std::string wildcard;
    if (!SplitPattern(directory, pattern, searched, wildcard)) {
        return 0;
    }
    FilteredSearch entries(fileSystem, searched + "\\" + wildcard, kMatchMask);
    std::string name;
    DWORD attributes = 0;
    while (entries.Next(name, attributes)) {
        // A hidden or system directory's "." and its child's ".." pass the filter; they
        // would hand the directory itself or its parent to the delete.
        if (IsDotEntry(name)) {
            continue;
        }
        worker.PollStop();
        if (worker.StopSeen) {
            return -1;
        }
        std::string path = searched + "\\" + name;
        if (path.size() > kMaxPathBytes) {
            continue;
        }
        worker.FoundAny = true;
        worker.FileList.push_back(std::move(path));
        worker.ShowList();
    }
    return 0;
}

int SearchTree(SearchWorker& worker, const std::string& directory, FileSystem& fileSystem)
{
    std::vector<DirectoryId> ancestors;
    DirectoryId id;
    // A bare drive ("C:") would name that drive's current directory, not its root.
    std::string self = directory.size() == 2 && directory[1] == ':' ? directory + "\\" : directory;
    if (fileSystem.Identify(self, id)) {
        ancestors.push_back(id);
    }
    return Walk(worker, directory, fileSystem, ancestors);
}

int SearchDir(SearchWorker& worker, const std::string& directory, const std::string& pattern)
{
    return SearchDir(worker, directory, pattern, RealFileSystem());
}

int SearchTree(SearchWorker& worker, const std::string& directory)
{
    return SearchTree(worker, directory, RealFileSystem());
}
