#pragma once

#include <cstddef>

#include "platform/window_system.h"
#include "settings/settings.h"
#include "tracker/tracker.h"

namespace perch {

// Where the board's frame stands among the other windows, as Visibility asks: Normal
// leaves it an ordinary window, Always On Top keeps it topmost, Smart keeps it topmost
// while the watched application has more than one document and sends it to the bottom
// when another application is in front. Each trigger has its method; topmostApplied says
// whether the board last made the frame topmost, so a tick only acts on a change. No
// placement activates the frame.
class FrameZOrder {
  public:
    FrameZOrder(WindowSystem& windows, const Tracker& tracker, const Settings& settings)
        : windows_(windows), tracker_(tracker), settings_(settings) {}

    bool TopmostApplied() const { return topmostApplied_ != 0; }

    // Creation: where the frame is inserted when it is first placed (topmost unless
    // Visibility is Normal, and then noted as applied).
    WindowHandle InsertAfterAtCreation();
    // A tick while the watched application is in front, with its number of documents.
    void OnDocumentCount(std::size_t count);
    // A tick while the board's own frame (or a window of it) is in front: Smart raises it.
    void OnBoardInFront();
    // A tick while another application is in front, not busy: Smart sends the frame down.
    void OnOtherInFront();
    // The frame was resized to fit the board: the board no longer counts it as topmost.
    void OnFrameFitted();
    // Set font opens its dialog with the frame at the bottom (the flag is kept).
    void OnFontDialogOpening();
    // The font dialog or the sheet closed: topmost again unless Visibility is Normal, and
    // noted so, so that Smart can take it down at the next tick.
    void OnDialogClosed();
    // The sheet changed Visibility: topmost for Smart and Always On Top; Normal takes the
    // frame out of the topmost band to the top of the ordinary windows.
    void OnVisibilityApplied();
    // The frame is being minimized: to the bottom first.
    void OnFrameMinimizing();
    // The frame was restored: topmost again unless Visibility is Normal.
    void OnFrameRestored();

  private:
    friend struct BoardTestAccess;

    void MakeTopmost();
    void PushToBottom();

    WindowSystem& windows_;
    const Tracker& tracker_;
    const Settings& settings_;
    int topmostApplied_ = 0;
};

}  // namespace perch
