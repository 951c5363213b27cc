#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "platform/window_system.h"
#include "settings/settings.h"

namespace perch {

// The watched application. All zero or empty while nothing is watched.
struct TrackedApp {
    std::uint32_t processId = 0;
    // 1: the foreground is the watched main window, or a new process was just recorded.
    // 2: the foreground belongs to the recorded process but is not an MDI main window.
    int matchState = 0;
    std::string appName;
    WindowHandle mdiClient = kNoWindow;
};

// Title i of the current title list and display text i: what box i shows. The views stay
// valid until the lists change.
struct TrackedWindow {
    std::string_view title;
    std::string_view displayText;
};

// FindDocumentWindow's answer: both windows, or found = false.
struct DocumentWindowSearch {
    bool found = false;
    WindowHandle document = kNoWindow;
    WindowHandle app = kNoWindow;
};

using TitleList = std::vector<std::string>;

// The tracker state the board view owns: which MDI application is watched, its document
// titles (current and scratch lists) and the display texts. Document windows are never
// kept as handles; they are found again by title.
class Tracker {
  public:
    // settings is the board's current record, read at every use so changes apply at once.
    Tracker(WindowSystem& windows, const Settings& settings, const CodePage& codePage,
            WindowHandle view = kNoWindow, WindowHandle frame = kNoWindow);

    // The board's own view and frame, which never count as a watched application.
    void SetBoardWindows(WindowHandle view, WindowHandle frame);
    WindowHandle View() const { return view_; }
    WindowHandle Frame() const { return frame_; }

    WindowSystem& Windows() const { return windows_; }
    const Settings& CurrentSettings() const { return settings_; }
    const CodePage& Code() const { return codePage_; }

    // --- Finding and checking the watched application ---

    // The first descendant of window whose class is an MDI client class; none otherwise.
    WindowHandle FindMdiClient(WindowHandle window);
    // True: keep the watched application (and scan it, unless matchState is 2).
    bool CheckForeground();
    bool MatchProcess(WindowHandle window);
    bool IsExcluded(std::string_view title) const;

    // --- Lists ---

    // Fills the scratch list with the watched application's visible document titles.
    void ScanDocuments();
    // Display texts from the current list (sorted again first, should Sort have changed).
    void RebuildDisplayList();
    // Index in the current list, letter case ignored (the first of equal titles); -1
    // when absent. Answered from an index of the list, made again after it changed.
    int IndexOfTitle(std::string_view title) const;
    // Makes the scratch list current and the current one scratch.
    void FlipLists();
    // Empties both title lists (the display list keeps its texts until a rebuild).
    void ClearTitleLists();

    const TitleList& CurrentTitles() const { return titleLists_[current_]; }
    const TitleList& ScratchTitles() const { return titleLists_[scratch_]; }
    const TitleList& DisplayList() const { return displayList_; }

    std::size_t WindowCount() const { return displayList_.size(); }
    // Box i's title and text; i must be below WindowCount().
    TrackedWindow GetTrackedWindow(std::size_t i) const;

    TrackedApp& App() { return app_; }
    const TrackedApp& App() const { return app_; }

    // How often RebuildDisplayList ran; lets callers check that quiet ticks do no work.
    std::uint64_t RebuildCount() const { return rebuildCount_; }

    // --- Finding document windows again ---

    WindowHandle FindAppWindow();
    WindowHandle FindChildByTitle(WindowHandle window, std::string_view title);
    DocumentWindowSearch FindDocumentWindow(std::string_view title);
    // The topmost document of the foreground window's MDI client, whatever is watched.
    WindowHandle GetActiveDocument();
    // The same, sharing the walk the last CheckForeground made for the same foreground
    // window: the refresh tick asks both in turn, and the walk over the application's
    // windows is most of what either costs.
    WindowHandle GetActiveDocumentAfterCheck();
    // The active document's title (up to 255 bytes), as the scan just made read it when the
    // same window is in front and that scan walked its MDI client; read afresh otherwise.
    std::string ActiveDocumentTitleAfterScan();

    // The MDI application the last CheckForeground found in front and watched: the window
    // in front (its main window), its MDI client and its process. All none when that
    // check watched nothing.
    struct WatchedInFront {
        WindowHandle frame = kNoWindow;
        WindowHandle client = kNoWindow;
        std::uint32_t processId = 0;
    };
    WatchedInFront LastWatched() const;

  private:
    WindowSystem& windows_;
    const Settings& settings_;
    const CodePage& codePage_;
    WindowHandle view_ = kNoWindow;
    WindowHandle frame_ = kNoWindow;

    TrackedApp app_;
    std::array<TitleList, 2> titleLists_;
    std::size_t current_ = 0;
    std::size_t scratch_ = 1;
    TitleList displayList_;
    std::uint64_t rebuildCount_ = 0;
    // What the last CheckForeground's walk found: the foreground window it walked and its
    // MDI client (none when it walked nothing).
    WindowHandle checkedForeground_ = kNoWindow;
    WindowHandle checkedClient_ = kNoWindow;
    // The last MDI application found in front: its main window, its MDI client and its
    // process (none while the last window in front was no MDI application).
    WindowHandle knownFrame_ = kNoWindow;
    WindowHandle knownClient_ = kNoWindow;
    std::uint32_t knownProcessId_ = 0;
    // What the last ScanDocuments read of the top document of the client it walked: the
    // active document, whose title the tick follows.
    WindowHandle scannedClient_ = kNoWindow;
    bool scannedTopRead_ = false;
    // The titles the last walk read, in z-order; those of the last walk that was sorted,
    // and that sorted list (under Sort option sortedScanOption_).
    std::string titleBuffer_;  // each document's title as the walk reads it
    TitleList scanOrder_;
    TitleList lastScanOrder_;
    TitleList sortedScan_;
    std::int32_t sortedScanOption_ = 0;
    bool sortedScanValid_ = false;
    std::string scannedTopTitle_;

    // IndexOfTitle's index of the current list: painting looks up the focus title and
    // every selected title, which must not cost a pass over the list each. Titles as they
    // are map straight to their answer; any other spelling goes through its folded key.
    void IndexTitles() const;
    mutable bool titleIndexValid_ = false;
    mutable std::unordered_map<std::string_view, int> exactTitleIndex_;
    mutable std::unordered_map<std::u32string, int> foldedTitleIndex_;
};

// True for the MDI client classes the tracker recognises, letter case ignored.
bool IsMdiClientClass(std::string_view className);

// The first 255 whole characters of the text: what a title read through a buffer of
// kTitleBufferSize characters keeps.
std::string_view BoundToTitleBuffer(std::string_view text, const CodePage& codePage);

}  // namespace perch
