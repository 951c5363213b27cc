#pragma once

#include <windows.h>

#include <string>

namespace framework {

// A string of the program's string table (UTF-8); "" when there is none. The program's
// texts are UTF-8 throughout; the message box shows them through the wide call.
std::string LoadResourceString(UINT id);

// A command's status-bar prompt (its string up to "\n") and its tooltip (after "\n").
std::string CommandPrompt(UINT id);
std::string CommandTooltip(UINT id);

// The program's title (the string table's application title, else the name the application
// gave itself), the caption of its message boxes.
std::string AppTitle();
// The name the application gave itself (Application's constructor sets it).
const std::string& AppName();
void SetAppName(std::string name);

// A modal message box with the program's title, the exclamation icon and an OK button.
void ShowMessageBox(HWND owner, const std::string& text);
void ShowMessageBox(HWND owner, UINT stringId);

}  // namespace framework
