#include "framework/win32/wide_text.h"

#include <array>
#include <cstddef>
#include <vector>

namespace framework {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    std::string utf8;
    NarrowInto(wide, utf8);
    return utf8;
}

void NarrowInto(std::wstring_view wide, std::string& into) {
    into.clear();
    if (wide.empty()) {
        return;
    }
    const int size = static_cast<int>(wide.size());
    // Each UTF-16 unit takes at most three bytes: a short text (a title, nearly every text)
    // is converted once, into room enough on the stack, instead of measured first.
    constexpr std::size_t kShortUnits = 512;
    if (wide.size() <= kShortUnits) {
        std::array<char, kShortUnits * 3> local;
        const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, local.data(),
                                               static_cast<int>(local.size()), nullptr, nullptr);
        if (length > 0) {
            into.assign(local.data(), static_cast<std::size_t>(length));
        }
        return;
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return;
    }
    into.resize(static_cast<std::size_t>(length));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, into.data(), length, nullptr, nullptr);
}

std::string GetWindowTextUtf8(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
    return Narrow(std::wstring_view(buffer.data(), got > 0 ? static_cast<std::size_t>(got) : 0));
}

void SetWindowTextUtf8(HWND window, std::string_view text) {
    SetWindowTextW(window, Widen(text).c_str());
}

}  // namespace framework
