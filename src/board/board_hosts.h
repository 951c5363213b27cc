#pragma once

#include <string_view>

#include "framework/dpi_scale.h"
#include "platform/window_system.h"
#include "settings/properties.h"
#include "settings/settings.h"

namespace perch {

// What a refresh tick and the selection ask of the board's painting.
class BoardHost {
  public:
    virtual ~BoardHost() = default;
    // Invalidates the box showing that title; false when no box shows it.
    virtual bool InvalidateTitleBox(std::string_view title) = 0;
    // Invalidates the whole board, erasing the background.
    virtual void InvalidateAll() = 0;

  protected:
    BoardHost() = default;
    BoardHost(const BoardHost&) = default;
    BoardHost& operator=(const BoardHost&) = default;
};

// What the board tells a screen reader, each about one box or (box -1) the whole list.
enum class AccessibleEvent {
    kFocus,            // the keyboard cursor moved to the box
    kSelection,        // the box is now the only one selected
    kSelectionAdd,     // the box was added to the selection
    kSelectionRemove,  // the box was taken out of it
    kSelectionWithin,  // the selection changed in several places at once
    kReorder,          // the list was made again
    kNameChange,       // the box's text changed
};

// What the board asks of the window that shows it (the view). The board's own geometry
// (its client rectangle, its frame's rectangle and placement) goes through WindowSystem
// like any other window's; this is the rest.
class ViewHost {
  public:
    virtual ~ViewHost() = default;

    // Invalidates part of the board, erasing the background.
    virtual void InvalidateRect(const Rect& rect) = 0;
    // Invalidates the whole board, erasing the background.
    virtual void InvalidateAll() = 0;
    // Shows a string of the string table in a modal message box captioned "Perch", with
    // the exclamation icon and an OK button; returns when the user has dismissed it.
    virtual void ShowMessage(unsigned stringId) = 0;
    // Starts the view's timer with the id and period; returns the id the timer reports.
    virtual unsigned StartTimer(unsigned id, int periodMs) = 0;
    virtual void StopTimer(unsigned timerId) = 0;
    // Vertical pixels per logical inch of the screen.
    virtual int LogPixelsY() = 0;
    // Creates a font from the description and makes it the board font (releasing the old
    // one), announcing it to the view; false when it could not be created, which leaves
    // the board without a font of its own.
    virtual bool SetBoardFont(const FontDescription& font) = 0;
    // Invalidates the whole board, erasing the background, and repaints it before
    // returning.
    virtual void RedrawNow() = 0;
    // Runs the system's font dialog modally over the board (screen fonts, no effects),
    // initialised from the font setting; with OK the chosen font is written into it and the
    // answer is true.
    virtual bool RunFontDialog(FontDescription& font) = 0;
    // Runs the properties sheet modally over the board ("Properties", the Settings page
    // first) with pages built from `pages`; with OK the pages' values are read back into
    // it and the answer is true. Cancel leaves it as it was.
    virtual bool RunPropertiesSheet(PropertiesPages& pages) = 0;
    // Tells screen readers that something about a box (or the whole list) changed.
    virtual void NotifyAccessibleEvent(AccessibleEvent event, int box) = 0;

  protected:
    ViewHost() = default;
    ViewHost(const ViewHost&) = default;
    ViewHost& operator=(const ViewHost&) = default;
};

// What the board reads and asks of the frame that holds it.
class FrameHost {
  public:
    virtual ~FrameHost() = default;

    // The frame's minimum width while its menu bar shows (it depends on the screen width),
    // and the lowest its client area may be fitted (the screen's minimum, or the height a
    // toolbar docked at a side needs, whichever is more).
    virtual int MinTrackWidth() const = 0;
    virtual int MinTrackHeight() const = 0;
    // Takes the menu bar off the frame.
    virtual void RemoveMenu() = 0;
    // Attaches the compact or the full menu for a client width; `force` attaches it even
    // when that menu was the last choice.
    virtual void SelectMenu(int clientWidth, bool force) = 0;
    // Saves the bars' state (visibility, docking, floating position) to the profile.
    virtual void SaveBarState() = 0;
    // Shows a text in the status bar in place of the idle message; "" brings the idle
    // message back.
    virtual void ShowStatusText(std::string_view text) = 0;
    // The DPI of the monitor the frame is on; the board's own frame lengths (the snap
    // distance, the first size, the narrowest frame) are at 96 DPI and scaled to it.
    virtual int FrameDpi() const { return framework::kBaseDpi; }

  protected:
    FrameHost() = default;
    FrameHost(const FrameHost&) = default;
    FrameHost& operator=(const FrameHost&) = default;
};

}  // namespace perch
