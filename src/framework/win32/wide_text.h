#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace framework {

// Text inside the program is UTF-8; Win32 is called through its wide functions, so no
// character is lost to the ANSI code page. These convert at that edge: ill-formed UTF-8
// and lone surrogates become U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
// The same into a string the caller keeps, whose room is used again.
void NarrowInto(std::wstring_view wide, std::string& into);

// A window's text (GetWindowTextW), as UTF-8.
std::string GetWindowTextUtf8(HWND window);
// Sets a window's text (SetWindowTextW) from UTF-8.
void SetWindowTextUtf8(HWND window, std::string_view text);

}  // namespace framework
