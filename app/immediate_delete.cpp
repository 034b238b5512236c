#include "app/immediate_delete.h"

#include "app/Kemlo1.h"
#include "app/command_line.h"
#include "engine/file_system.h"
#include "engine/shell_delete.h"

namespace {

// Written once by the entry, before the window exists; read on the UI thread.
std::vector<std::string> command_line_paths;

bool ShortPathOf(const std::wstring& path, std::string& shortPath)
{
    DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);  // the NUL included
    if (needed == 0)
        return false;
    std::wstring wide(needed, L'\0');
    DWORD written = GetShortPathNameW(path.c_str(), wide.data(), needed);
    if (written == 0 || written >= needed)
        return false;
    wide.resize(written);
    std::string ansi;
    if (!ToAnsi(wide.c_str(), ansi) || ansi.size() >= kDroppedNameChars)
        return false;
    shortPath = std::move(ansi);
    return true;
}

// Releases the drop handle once, at the latest when the handler is left.
class DropHandle {
public:
    explicit DropHandle(HDROP drop) : drop_(drop) {}
    ~DropHandle() { Finish(); }
    DropHandle(const DropHandle&) = delete;
    DropHandle& operator=(const DropHandle&) = delete;

    void Finish()
    {
        if (drop_)
            DragFinish(drop_);
        drop_ = nullptr;
    }

private:
    HDROP drop_;
};

// Runs its action when the scope is left, however it is left.
template <class Action>
class AtScopeExit {
public:
    explicit AtScopeExit(Action action) : action_(action) {}
    ~AtScopeExit() { action_(); }
    AtScopeExit(const AtScopeExit&) = delete;
    AtScopeExit& operator=(const AtScopeExit&) = delete;

private:
    Action action_;
};

// Start, the pattern box and both check boxes: what a drop and a run lock.
void SetInputsEnabled(TForm1& form, bool enabled)
{
    form.Button1->SetEnabled(enabled);
    form.ComboBox1->SetEnabled(enabled);
    form.CheckBox1->SetEnabled(enabled);
    form.CheckBox2->SetEnabled(enabled);
}

}  // namespace

void TakeCommandLinePaths(const std::vector<std::string>& arguments)
{
    command_line_paths.clear();
    for (const std::string& argument : arguments) {
        std::string path = MakeAbsolute(argument);
        // A longer path names no file to the ANSI calls, and the shell's delete runs over
        // fixed buffers with one (Wine's ends the process).
        if (path.size() < MAX_PATH)
            command_line_paths.push_back(std::move(path));
    }
}

const std::vector<std::string>& CommandLinePaths() { return command_line_paths; }

bool DroppedPath(HDROP drop, UINT index, std::string& path)
{
    // The wide name is the one the item really has; the ANSI one may be a look-alike.
    UINT wideLength = DragQueryFileW(drop, index, nullptr, 0);
    if (wideLength == 0)
        return false;
    std::wstring wide(wideLength + 1, L'\0');
    if (DragQueryFileW(drop, index, wide.data(), wideLength + 1) != wideLength)
        return false;
    wide.resize(wideLength);

    char name[kDroppedNameChars] = {};
    UINT length = DragQueryFileA(drop, index, name, kDroppedNameChars);
    // No file's name holds a wildcard, but the shell would expand one.
    if (wide.find_first_of(L"*?") != std::wstring::npos)
        return false;
    std::string exact;
    if (ToAnsi(wide.c_str(), exact) && exact.size() < kDroppedNameChars
        && exact == std::string(name, length)) {
        path = std::move(exact);
        return true;
    }
    return ShortPathOf(wide, path);
}

void TForm1::DeletePaths(const std::vector<char>& list)
{
    // The shell's dialogs are modal loops of their own: the UI thread goes on serving
    // messages, a run's hand-over and a further drop included, until the shell is done.
    ShellDelete(list, CheckBox2->Checked());
}

void TForm1::AcceptDropsAndDeleteArguments()
{
    DragAcceptFiles(Handle(), TRUE);
    const std::vector<std::string>& paths = CommandLinePaths();
    if (paths.empty())
        return;
    {
        const std::vector<char> list = DeleteList(paths);
        DeletePaths(list);
    }
    // Form1Close saves the settings, then the window is destroyed: the application's Run
    // finds no window to show and returns, and the entry releases the mutex and ends with 0.
    // A save that fails is reported, and the window closes all the same.
    Close();
}

void TForm1::WMDropFiles(HDROP drop)
{
    DropHandle handle(drop);
    ++DropsInProgress;
    // A run or another drop still in progress enables the inputs when it ends, and a
    // failure half-way must not leave them disabled.
    AtScopeExit ended([this] {
        --DropsInProgress;
        if (DropsInProgress == 0 && !RunInProgress)
            SetInputsEnabled(*this, true);
    });

    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    Memo1->SetText({});
    Memo2->SetText({});
    Display.Cleared();
    SetInputsEnabled(*this, false);

    std::vector<std::string> paths;
    std::string lines;
    for (UINT i = 0; i < count; ++i) {
        std::string path;
        if (!DroppedPath(drop, i, path))
            continue;
        if (!paths.empty())
            lines += "\r\n";
        lines += path;
        paths.push_back(std::move(path));
    }
    // One update of the file list: each one costs a visible edit tens of milliseconds.
    Memo1->SetText(lines);
    handle.Finish();

    if (!paths.empty()) {
        const std::vector<char> list = DeleteList(paths);
        DeletePaths(list);
    }
}
