#pragma once

#include <string>

#include "board/board_hosts.h"
#include "board/layout.h"
#include "tracker/tracker.h"

namespace perch {

// The keys that move the keyboard cursor.
enum class CursorMove { kUp, kDown, kLeft, kRight, kHome, kEnd };

// Where the cursor on box `index` goes on a board of `count` boxes filled column by
// column, `rows` to a column. Up and Down step through a column and on into the previous
// or next one; Left and Right keep the row and change the column, and Right into a last
// column too short for that row lands on the last box; Home and End go to the first and
// the last box. The cursor stays where it is at either end. -1 on an empty board.
int MovedCursorIndex(int index, int count, int rows, CursorMove move);

// The keyboard cursor: the box the keys act on. It is drawn (as the system's focus
// rectangle) only once a key has been used, as Windows shows its keyboard cues. It keeps
// its title: when the list changes it moves with its document, and when its document goes
// it stays at the same place on the board, or the last box when the board got shorter.
class KeyboardCursor {
  public:
    KeyboardCursor(const Tracker& tracker, const BoardLayout& layout, ViewHost& view)
        : tracker_(tracker), layout_(layout), view_(view) {}

    // The cursor's box on the current list; -1 on an empty board.
    int Index() const;
    // The title under the cursor; "" on an empty board.
    std::string Title() const;
    // Whether the cursor is drawn.
    bool Shown() const { return shown_; }

    // Shows the cursor and moves it by the key on a grid of `rows` rows.
    void Move(CursorMove move, int rows);
    // Shows the cursor where it is (a key that acts on it without moving it).
    void Show();
    // Puts the cursor on box `index` (the cues as they are); nothing out of range.
    void MoveTo(int index);
    // After the list changed: the cursor takes the box Index() gives as its place, so a
    // later removal keeps it where it is now.
    void Follow();

  private:
    // Invalidates the cursor's box when it is drawn.
    void InvalidateBox(int index);

    const Tracker& tracker_;
    const BoardLayout& layout_;
    ViewHost& view_;
    std::string title_;  // the title it was last put on
    int index_ = 0;      // where it was last put
    bool shown_ = false;
};

}  // namespace perch
