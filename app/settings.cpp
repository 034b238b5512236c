#include "app/settings.h"

#include "app/Kemlo1.h"
#include "framework/application.h"
#include "framework/error.h"
#include "framework/message_box.h"
#include "framework/registry.h"

#include <windows.h>

#include <exception>
#include <optional>
#include <stdexcept>

namespace settings {

const char* const kFirstRunNotice =
    "\u3000   \u3000 \u3000\u3000\u3000       Pirovan V1.10\n"
    "\n"
    "Pirovanは指定されたファイルの削除を行います。\n"
    "\n"
    "このメッセージは初回起動時のみ表示されます。\n"
    "\n"
    "Copyright (C) Velmora";

std::string DriveRootFor(char savedDrive)
{
    // Drive numbers 1 to 26 are 'a' to 'z'; every other code gives no drive at all,
    // rather than whatever byte the arithmetic happens to land on.
    const unsigned char number = static_cast<unsigned char>(savedDrive - 0x60);
    if (number < 1 || number > 26)
        return {};
    return std::string(1, static_cast<char>(number + 0x40)) + ":";
}

}  // namespace settings

namespace {

using namespace settings;

void RestoreDriveAndDirectory(TForm1& form)
{
    const std::string root = DriveRootFor(form.SavedDrive);
    if (root.empty() || !SetCurrentDirectoryA(root.c_str()))
        return;
    try {
        form.DriveComboBox1->SetDrive(form.SavedDrive);
    } catch (const fw::Exception&) {
        return;   // the pickers stay where they were
    }
    if (form.SavedDir.empty())
        return;
    try {
        form.DirectoryListBox1->SetDirectory(form.SavedDir);
    } catch (const fw::Exception&) {
        // A directory that is gone since the last close: the drive's current one stays.
    }
}

void FillPatternBox(TForm1& form)
{
    std::string& last = form.ComboHist.Slots[0];
    if (last.empty()) {
        form.ComboBox1->ClearItems();
        form.ComboBox1->SetDropDownCount(0);
        form.ComboBox1->SetText(kDefaultPattern);
        last = kDefaultPattern;
        return;
    }
    form.ComboBox1->SetText(last);
    form.FillList();
}

// The bounds the window has, or returns to, in the normal state: a maximised (or
// minimised) window's own bounds would give the next start a full-screen normal window.
RECT NormalBoundsOf(HWND window)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    RECT bounds = {};
    if (!GetWindowPlacement(window, &placement)) {
        GetWindowRect(window, &bounds);
        return bounds;
    }
    bounds = placement.rcNormalPosition;
    // rcNormalPosition is relative to the work area, which need not start at the
    // screen's corner (a task bar on the left or at the top).
    if (!(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        if (GetMonitorInfoA(MonitorFromRect(&bounds, MONITOR_DEFAULTTOPRIMARY), &monitor))
            OffsetRect(&bounds, monitor.rcWork.left - monitor.rcMonitor.left,
                       monitor.rcWork.top - monitor.rcMonitor.top);
    }
    return bounds;
}

}  // namespace

void LoadSettings(TForm1& form)
{
    Registry registry(HKEY_CURRENT_USER);
    if (!registry.KeyExists(kKey)) {
        fw::ShowMessage(kFirstRunNotice);
        return;
    }
    // Should the open fail after all, every read below finds nothing and is passed over.
    registry.OpenKey(kKey, true);

    if (const auto top = registry.ReadInteger(kTop))
        form.SetTop(*top);
    if (const auto left = registry.ReadInteger(kLeft))
        form.SetLeft(*left);
    if (const auto height = registry.ReadInteger(kHeight))
        form.SetHeight(*height);
    if (const auto width = registry.ReadInteger(kWidth))
        form.SetWidth(*width);
    if (const auto maximized = registry.ReadBool(kMaximized))
        form.SetState(*maximized ? fw::Form::WindowState::Maximized : fw::Form::WindowState::Normal);
    if (const auto dir = registry.ReadString(kDir))
        form.SavedDir = *dir;
    if (const auto drive = registry.ReadString(kDrive))
        form.SavedDrive = drive->empty() ? '\0' : (*drive)[0];
    for (std::size_t slot = 0; slot < PatternHistory::SlotCount; ++slot)
        if (const auto pattern = registry.ReadString(kCombo[slot]))
            form.ComboHist.Slots[slot] = *pattern;
    if (const auto dirCheck = registry.ReadBool(kDirCheck))
        form.CheckBox1->SetChecked(*dirCheck);
    if (const auto noRecycle = registry.ReadBool(kNoRecycle))
        form.CheckBox2->SetChecked(*noRecycle);

    RestoreDriveAndDirectory(form);
    FillPatternBox(form);
}

void SaveSettings(TForm1& form)
{
    // Every value is attempted even after one has failed, so that as much as can be kept
    // is; the user hears of the first failure only, and the window closes regardless.
    std::optional<std::string> firstFailure;
    auto attempt = [&firstFailure](auto&& write) {
        try {
            write();
        } catch (const std::exception& error) {
            if (!firstFailure)
                firstFailure = error.what();
        }
    };

    Registry registry(HKEY_CURRENT_USER);
    if (!registry.OpenKey(kKey, true))
        firstFailure = std::string("レジストリキー \"") + kKey + "\" を作成できませんでした。";

    const bool maximized = form.State() == fw::Form::WindowState::Maximized;
    const RECT bounds = form.State() == fw::Form::WindowState::Normal
        ? RECT{form.Left(), form.Top(), form.Left() + form.Width(), form.Top() + form.Height()}
        : NormalBoundsOf(form.Handle());
    const char drive = form.DriveComboBox1->Drive();

    // Without an open key every write fails, after the failure that counts has been noted.
    attempt([&] { registry.WriteInteger(kTop, bounds.top); });
    attempt([&] { registry.WriteInteger(kLeft, bounds.left); });
    attempt([&] { registry.WriteInteger(kHeight, bounds.bottom - bounds.top); });
    attempt([&] { registry.WriteInteger(kWidth, bounds.right - bounds.left); });
    attempt([&] { registry.WriteBool(kMaximized, maximized); });
    attempt([&] { registry.WriteString(kDrive, drive ? std::string(1, drive) : std::string()); });
    attempt([&] { registry.WriteString(kDir, form.DirectoryListBox1->Directory()); });
    attempt([&] { registry.WriteBool(kDirCheck, form.CheckBox1->Checked()); });
    attempt([&] { registry.WriteBool(kNoRecycle, form.CheckBox2->Checked()); });
    form.ComboHist.RecordOnClose(form.ComboBox1->Text());
    for (std::size_t slot = 0; slot < PatternHistory::SlotCount; ++slot)
        attempt([&] { registry.WriteString(kCombo[slot], form.ComboHist.Slots[slot]); });
    registry.CloseKey();

    if (firstFailure)
        fw::App().ShowException(std::runtime_error(*firstFailure));
}
