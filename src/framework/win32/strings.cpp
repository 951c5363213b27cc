#include "framework/win32/strings.h"

#include <utility>

#include "framework/standard_ids.h"

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
    // The program's strings are short; a read-only pointer (buffer size 0) is only offered
    // by the wide-character call.
    char buffer[1024] = {};
    const int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
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
    MessageBoxA(owner, text.c_str(), AppTitle().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void ShowMessageBox(HWND owner, UINT stringId) {
    ShowMessageBox(owner, LoadResourceString(stringId));
}

}  // namespace framework
