#include "board/keyboard_cursor.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace perch {

int MovedCursorIndex(int index, int count, int rows, CursorMove move) {
    if (count <= 0) {
        return -1;
    }
    index = std::clamp(index, 0, count - 1);
    rows = std::max(rows, 1);
    switch (move) {
        case CursorMove::kUp:
            return std::max(index - 1, 0);
        case CursorMove::kDown:
            return std::min(index + 1, count - 1);
        case CursorMove::kLeft:
            return index >= rows ? index - rows : index;
        case CursorMove::kRight: {
            const int lastColumn = (count - 1) / rows;
            if (index / rows >= lastColumn) {
                return index;
            }
            return std::min(index + rows, count - 1);
        }
        case CursorMove::kHome:
            return 0;
        case CursorMove::kEnd:
            return count - 1;
    }
    return index;
}

int KeyboardCursor::Index() const {
    const TitleList& titles = tracker_.CurrentTitles();
    const int count = static_cast<int>(std::min(titles.size(), tracker_.DisplayList().size()));
    if (count == 0) {
        return -1;
    }
    // Where it was put, while that is still its title (equal titles keep their own box),
    // else wherever its title went, else the same place or the last box.
    if (index_ < count && titles[static_cast<std::size_t>(index_)] == title_) {
        return index_;
    }
    const int moved = title_.empty() ? -1 : tracker_.IndexOfTitle(title_);
    if (moved >= 0 && moved < count) {
        return moved;
    }
    return std::min(index_, count - 1);
}

std::string KeyboardCursor::Title() const {
    const int index = Index();
    return index < 0 ? std::string() : tracker_.CurrentTitles()[static_cast<std::size_t>(index)];
}

void KeyboardCursor::Move(CursorMove move, int rows) {
    const int from = Index();
    const int count = static_cast<int>(
        std::min(tracker_.CurrentTitles().size(), tracker_.DisplayList().size()));
    const int to = MovedCursorIndex(from, count, rows, move);
    if (!shown_) {
        shown_ = true;
        InvalidateBox(from);
    }
    if (to != from) {
        MoveTo(to);
    }
}

void KeyboardCursor::Show() {
    if (!shown_) {
        shown_ = true;
        InvalidateBox(Index());
    }
}

void KeyboardCursor::MoveTo(int index) {
    const TitleList& titles = tracker_.CurrentTitles();
    if (index < 0 || static_cast<std::size_t>(index) >= titles.size()) {
        return;
    }
    const int from = Index();
    index_ = index;
    title_ = titles[static_cast<std::size_t>(index)];
    if (from != index) {
        InvalidateBox(from);
        InvalidateBox(index);
    }
}

void KeyboardCursor::Follow() {
    const int index = Index();
    if (index >= 0) {
        index_ = index;
        title_ = tracker_.CurrentTitles()[static_cast<std::size_t>(index)];
    }
}

void KeyboardCursor::InvalidateBox(int index) {
    if (!shown_ || index < 0) {
        return;
    }
    if (const std::optional<Rect> box = layout_.BoxRect(index)) {
        view_.InvalidateRect(ShiftedDown(*box));
    }
}

}  // namespace perch
