#pragma once
// The simple message box: the text, no icon, one OK button, the application title as
// caption, modal to the main form, centred on the screen.

#include <string>

namespace fw {

void ShowMessage(const std::string& text);

}  // namespace fw
