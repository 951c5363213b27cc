// The bare walk over an MDI client's documents that every refresh tick has to make, and
// the baseline of the Wine benchmarks: the client's visibility once, then for each
// document, top first, its successor, its style and its title. Nothing is kept but what
// the caller keeps. VisibilityWalk is the walk as ticks once made it, with a visibility
// query for each document (which asks about the client and the frame again each time):
// the benchmarks report against it too, for comparison with the figures of that time.
#pragma once

#include <windows.h>

// Calls onTitle(text, length) for each document that `visible` accepts and that has a
// title, top first; returns how many.
template <typename Visible, typename OnTitle>
int WalkTitles(HWND client, Visible&& visible, OnTitle&& onTitle) {
    int titles = 0;
    for (HWND h = GetTopWindow(client); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (visible(h)) {
            wchar_t text[256];
            const int length = GetWindowTextW(h, text, 256);
            if (length > 0) {
                onTitle(text, length);
                ++titles;
            }
        }
    }
    return titles;
}

template <typename OnTitle>
int BareWalk(HWND client, OnTitle&& onTitle) {
    if (!IsWindowVisible(client)) {
        return 0;
    }
    return WalkTitles(
        client, [](HWND h) { return (GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0; }, onTitle);
}

template <typename OnTitle>
int VisibilityWalk(HWND client, OnTitle&& onTitle) {
    return WalkTitles(client, [](HWND h) { return IsWindowVisible(h) != FALSE; }, onTitle);
}
