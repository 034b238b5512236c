#pragma once
// The main window's settings in the current user's registry: window placement, drive,
// directory, both options and the pattern history. Loaded as the window is created,
// saved as it closes.

#include <string>

class TForm1;

namespace settings {

// Under HKEY_CURRENT_USER; the leading "\" starts the path at the root key.
constexpr char kKey[] = "\\Software\\Velmora\\Pirovan";

constexpr char kTop[] = "OldF1Top";
constexpr char kLeft[] = "OldF1Left";
constexpr char kHeight[] = "OldF1Height";
constexpr char kWidth[] = "OldF1Width";
constexpr char kMaximized[] = "OldF1WState";
constexpr char kDir[] = "OldDir";
constexpr char kDrive[] = "OldDrive";
constexpr const char* kCombo[] = {"Combo_0", "Combo_1", "Combo_2", "Combo_3", "Combo_4",
                                  "Combo_5", "Combo_6", "Combo_7", "Combo_8"};
constexpr char kDirCheck[] = "DirCheck";
constexpr char kNoRecycle[] = "NoRecycle";

// The pattern the box shows when the history has none.
constexpr char kDefaultPattern[] = "*.bak";

// Shown at every start until the window has been closed once, which creates the key.
extern const char* const kFirstRunNotice;

// What makes a saved drive letter the current drive: "C:" for 'c'. Anything but a
// lower-case letter names no drive and gives an empty string.
std::string DriveRootFor(char savedDrive);

}  // namespace settings

// At the start of Form1Create. A value that is missing or of another type, or a saved
// directory that is gone, is passed over: that setting keeps what the window definition
// gave it and the rest goes on. Nothing is reported.
void LoadSettings(TForm1& form);

// The whole of Form1Close. A key that cannot be created or a value that cannot be written
// is reported once with the standard error report; the window closes all the same.
void SaveSettings(TForm1& form);
