#include "framework/win32/strings.h"

#include <utility>

#include "framework/standard_ids.h"
#include "framework/win32/wide_text.h"

namespace framework {
namespace {

std::string& StoredAppName() {
    static std::string name;
    return name;
}

}  // namespace

void SetAppName(std::string name) {
    StoredAppName() = std::move(name);
}

const std::string& AppName() {
    return StoredAppName();
}

std::string LoadResourceString(UINT id) {
    // The program's strings are short.
    wchar_t buffer[1024] = {};
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, buffer, 1024);
    return length > 0 ? Narrow(std::wstring_view(buffer, static_cast<std::size_t>(length)))
                      : std::string();
}

std::string CommandPrompt(UINT id) {
    const std::string text = LoadResourceString(id);
    return text.substr(0, text.find('\n'));
}

std::string CommandTooltip(UINT id) {
    const std::string text = LoadResourceString(id);
    const std::size_t newline = text.find('\n');
    return newline == std::string::npos ? std::string() : text.substr(newline + 1);
}

std::string AppTitle() {
    std::string title = LoadResourceString(IDS_APP_TITLE);
    return title.empty() ? AppName() : title;
}

void ShowMessageBox(HWND owner, const std::string& text) {
    MessageBoxW(owner, Widen(text).c_str(), Widen(AppTitle()).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

void ShowMessageBox(HWND owner, UINT stringId) {
    ShowMessageBox(owner, LoadResourceString(stringId));
}

}  // namespace framework
