#include "tracker/tracker.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "tracker/title_text.h"

namespace perch {
namespace {

// The ordinary MDI client class and those of applications with their own client class.
constexpr std::string_view kMdiClientClasses[] = {"mdiclient", "opusdesk", "xldesk",
                                                  "123wmdiclient"};

constexpr std::string_view kExcludedSeparator = "||";

}  // namespace

bool IsMdiClientClass(std::string_view className) {
    if (className.empty()) {
        return false;
    }
    return std::any_of(
        std::begin(kMdiClientClasses), std::end(kMdiClientClasses),
        [className](std::string_view known) { return EqualsIgnoringAsciiCase(className, known); });
}

std::string_view BoundToTitleBuffer(std::string_view text, const CodePage& codePage) {
    constexpr std::size_t kMaxTitleChars = kTitleBufferSize - 1;
    if (text.size() <= kMaxTitleChars) {
        return text;  // at most one byte a character: nothing to cut
    }
    return text.substr(0, SafeCutLength(text, kMaxTitleChars, codePage));
}

Tracker::Tracker(WindowSystem& windows, const Settings& settings, const CodePage& codePage,
                 WindowHandle view, WindowHandle frame)
    : windows_(windows), settings_(settings), codePage_(codePage), view_(view), frame_(frame) {}

void Tracker::SetBoardWindows(WindowHandle view, WindowHandle frame) {
    view_ = view;
    frame_ = frame;
}

WindowHandle Tracker::FindMdiClient(WindowHandle window) {
    WindowHandle found = kNoWindow;
    windows_.EnumChildWindows(window, [this, &found](WindowHandle child) {
        if (IsMdiClientClass(windows_.GetClassName(child, kClassBufferSize))) {
            found = child;
            return false;
        }
        return true;
    });
    return found;
}

bool Tracker::CheckForeground() {
    checkedForeground_ = kNoWindow;
    WindowHandle window = windows_.GetForegroundWindow();
    if (window == kNoWindow) {
        return true;  // nothing in front: carry on as the last state says
    }
    if (window == view_ || window == frame_) {
        app_.processId = 0;
        return false;
    }

    // The MDI application found in front at the last check, in front again: its main
    // window was a top-level window then and stays one (its MDI client is checked below).
    const bool knownInFront = window == knownFrame_ && knownClient_ != kNoWindow;
    // A child control or an owned dialog in front: judge it by the window that stands for
    // an application. A caption with a mnemonic ("&File") marks a control, not a title.
    if (!knownInFront && windows_.GetParent(window) != kNoWindow) {
        std::string text;
        for (int step = 0; step < kMaxParentSteps; ++step) {
            const WindowHandle parent = windows_.GetParent(window);
            if (parent == kNoWindow) {
                break;
            }
            if (!IsChildStyle(windows_.GetWindowStyle(window))) {
                return MatchProcess(window);
            }
            text = windows_.GetWindowText(window, kTitleBufferSize);
            if (HasLoneAmpersand(text, codePage_)) {
                return MatchProcess(window);
            }
            window = parent;
        }
        if (!text.empty()) {
            return MatchProcess(window);
        }
    }

    const std::string title = windows_.GetWindowText(window, kTitleBufferSize);
    if (IsExcluded(title)) {
        app_.processId = 0;
        return false;
    }
    // The same window in front as at the last check, with the same MDI client still its
    // child (one query): that client and the window's process are what they were, so the
    // search through its children is not made again on every tick.
    WindowHandle client = kNoWindow;
    std::uint32_t processId = 0;
    if (knownInFront && windows_.GetContainer(knownClient_) == window) {
        client = knownClient_;
        processId = knownProcessId_;
    } else {
        client = FindMdiClient(window);
        if (client != kNoWindow) {
            processId = windows_.GetWindowProcessId(window);
        }
    }
    checkedForeground_ = window;
    checkedClient_ = client;
    knownFrame_ = client != kNoWindow ? window : kNoWindow;
    knownClient_ = client;
    knownProcessId_ = processId;
    if (client != kNoWindow) {
        app_.mdiClient = client;
        app_.matchState = 1;
        app_.appName = ExtractAppName(title, codePage_);
        app_.processId = processId;
        return true;
    }
    app_.mdiClient = kNoWindow;
    return MatchProcess(window);
}

bool Tracker::MatchProcess(WindowHandle window) {
    const std::uint32_t processId = windows_.GetWindowProcessId(window);
    if (processId == 0) {
        app_.processId = 0;
        return false;
    }
    if (processId == app_.processId) {
        app_.matchState = 2;
        return true;
    }
    // Remembered, so the next check of the same window holds instead of dropping again.
    app_.matchState = 1;
    app_.processId = processId;
    return false;
}

bool Tracker::IsExcluded(std::string_view title) const {
    std::string_view rest = settings_.ExcludedApps;
    if (rest.empty()) {
        return false;
    }
    for (;;) {
        const std::size_t separator = FindText(rest, kExcludedSeparator, codePage_);
        const std::string_view entry = rest.substr(0, separator);
        // The list page ends the list at a blank or space-led line.
        if (entry.empty() || entry.front() == ' ') {
            return false;
        }
        if (FindText(title, entry, codePage_) != kNotFound) {
            return true;
        }
        if (separator == kNotFound) {
            return false;
        }
        rest = rest.substr(separator + kExcludedSeparator.size());
    }
}

namespace {

// Makes `to` hold the titles of `from`, in the strings it already has: at every tick the
// lists hold the same titles as the tick before, and their room is used again.
void AssignTitles(TitleList& to, const TitleList& from) {
    to.resize(from.size());
    for (std::size_t i = 0; i < from.size(); ++i) {
        to[i].assign(from[i]);
    }
}

}  // namespace

void Tracker::ScanDocuments() {
    TitleList& scratch = titleLists_[scratch_];
    scannedClient_ = kNoWindow;
    scannedTopRead_ = false;
    const WindowHandle client = app_.mdiClient;
    if (client == kNoWindow) {
        scratch.clear();
        return;
    }
    // A real MDI client has no text; one that has a text is some other window that took
    // over the recycled handle.
    if (!windows_.GetWindowText(client, kTitleBufferSize).empty()) {
        scratch.clear();
        return;
    }
    scannedClient_ = client;
    // A document is visible when it and every window above it is: the client and the
    // frame are asked once here, each document then only for its own style (a visibility
    // query per document would ask again for the client's and the frame's, and with
    // another process's windows every query is a round trip).
    if (!windows_.IsWindowVisible(client)) {
        scratch.clear();
        return;
    }
    std::size_t count = 0;
    WindowHandle child = windows_.GetTopWindow(client);
    bool top = true;
    while (child != kNoWindow) {
        // Step on first, so a document closed while it is looked at does not end the walk.
        const WindowHandle next = windows_.GetWindow(child, kGwHwndNext);
        if ((windows_.GetWindowStyle(child) & kWsVisible) != 0) {
            std::string& title = titleBuffer_;
            windows_.ReadWindowText(child, title, kTitleBufferSize);
            if (top) {
                scannedTopRead_ = true;
                scannedTopTitle_.assign(title);
            }
            if (!title.empty()) {
                const std::string_view clean = CleanDocumentTitle(title, codePage_);
                if (count < scanOrder_.size()) {
                    scanOrder_[count].assign(clean);
                } else {
                    scanOrder_.emplace_back(clean);
                }
                ++count;
            }
        }
        child = next;
        top = false;
    }
    scanOrder_.resize(count);
    // The same titles in the same order as the last scan sort into the same list: the
    // sort (folded keys for every title) is made only when something moved.
    if (!sortedScanValid_ || sortedScanOption_ != settings_.Sort ||
        scanOrder_ != lastScanOrder_) {
        AssignTitles(lastScanOrder_, scanOrder_);
        AssignTitles(sortedScan_, scanOrder_);
        SortTitles(sortedScan_, settings_.Sort, codePage_);
        sortedScanOption_ = settings_.Sort;
        sortedScanValid_ = true;
    }
    AssignTitles(scratch, sortedScan_);
}

void Tracker::RebuildDisplayList() {
    ++rebuildCount_;
    displayList_.clear();
    TitleList& current = titleLists_[current_];
    // Already in order unless Sort changed; sorting keeps box i and title i together.
    SortTitles(current, settings_.Sort, codePage_);
    titleIndexValid_ = false;
    displayList_.reserve(current.size());
    for (const std::string& title : current) {
        displayList_.push_back(DisplayText(title, settings_, app_.appName, codePage_));
    }
}

int Tracker::IndexOfTitle(std::string_view title) const {
    if (!titleIndexValid_) {
        IndexTitles();
    }
    if (const auto exact = exactTitleIndex_.find(title); exact != exactTitleIndex_.end()) {
        return exact->second;
    }
    const auto folded = foldedTitleIndex_.find(FoldedKey(title, codePage_));
    return folded == foldedTitleIndex_.end() ? -1 : folded->second;
}

void Tracker::IndexTitles() const {
    const TitleList& current = titleLists_[current_];
    exactTitleIndex_.clear();
    foldedTitleIndex_.clear();
    exactTitleIndex_.reserve(current.size());
    foldedTitleIndex_.reserve(current.size());
    for (std::size_t i = 0; i < current.size(); ++i) {
        // emplace keeps the first: equal titles answer with the first of them.
        const int first =
            foldedTitleIndex_.emplace(FoldedKey(current[i], codePage_), static_cast<int>(i))
                .first->second;
        exactTitleIndex_.emplace(current[i], first);
    }
    titleIndexValid_ = true;
}

void Tracker::FlipLists() {
    std::swap(current_, scratch_);
    titleIndexValid_ = false;
}

void Tracker::ClearTitleLists() {
    titleLists_[0].clear();
    titleLists_[1].clear();
    titleIndexValid_ = false;
}

TrackedWindow Tracker::GetTrackedWindow(std::size_t i) const {
    return {titleLists_[current_].at(i), displayList_.at(i)};
}

WindowHandle Tracker::FindAppWindow() {
    WindowHandle window = windows_.GetWindow(windows_.GetDesktopWindow(), kGwChild);
    while (window != kNoWindow) {
        const WindowHandle next = windows_.GetWindow(window, kGwHwndNext);
        const std::string name =
            ExtractAppName(windows_.GetWindowText(window, kTitleBufferSize), codePage_);
        if (FindText(name, app_.appName, codePage_) != kNotFound) {
            return window;
        }
        window = next;
    }
    return kNoWindow;
}

// Window titles are read up to 255 characters, so a stored title longer than that could
// never equal one. Both sides are bounded to the same whole characters
// (BoundToTitleBuffer) before comparing: a long title then still finds its window.
// The suffix pass looks for the bounded title in the title as read.
WindowHandle Tracker::FindChildByTitle(WindowHandle window, std::string_view title) {
    const std::string wanted(BoundToTitleBuffer(title, codePage_));
    WindowHandle found = kNoWindow;
    windows_.EnumChildWindows(window, [&](WindowHandle child) {
        const std::string text = windows_.GetWindowText(child, kTitleBufferSize);
        if (!text.empty() && TitlesEqual(BoundToTitleBuffer(text, codePage_), wanted, codePage_)) {
            found = child;
            return false;
        }
        return true;
    });
    if (found != kNoWindow) {
        return found;
    }

    // Titles stored without the "3> " prefix CleanDocumentTitle removed. Only the first
    // occurrence counts, and it must end the window title.
    std::string upperWanted = wanted;
    codePage_.ToUpper(upperWanted);
    windows_.EnumChildWindows(window, [&](WindowHandle child) {
        std::string text = windows_.GetWindowText(child, kTitleBufferSize);
        // An empty title holds no document; it would otherwise match an empty title.
        if (text.empty()) {
            return true;
        }
        codePage_.ToUpper(text);
        const std::size_t at = FindText(text, upperWanted, codePage_);
        if (at != kNotFound && at + upperWanted.size() == text.size()) {
            found = child;
            return false;
        }
        return true;
    });
    return found;
}

DocumentWindowSearch Tracker::FindDocumentWindow(std::string_view title) {
    const WindowHandle app = FindAppWindow();
    if (app == kNoWindow) {
        return {};
    }
    const WindowHandle document = FindChildByTitle(app, title);
    if (document == kNoWindow) {
        return {};
    }
    return {true, document, app};
}

WindowHandle Tracker::GetActiveDocument() {
    const WindowHandle foreground = windows_.GetForegroundWindow();
    if (foreground == kNoWindow) {
        return kNoWindow;
    }
    const WindowHandle client = FindMdiClient(foreground);
    return client == kNoWindow ? kNoWindow : windows_.GetTopWindow(client);
}

Tracker::WatchedInFront Tracker::LastWatched() const {
    if (checkedForeground_ == kNoWindow || checkedClient_ == kNoWindow ||
        checkedClient_ != app_.mdiClient || knownProcessId_ == 0) {
        return {};
    }
    return {checkedForeground_, checkedClient_, knownProcessId_};
}

WindowHandle Tracker::GetActiveDocumentAfterCheck() {
    const WindowHandle foreground = windows_.GetForegroundWindow();
    if (foreground == kNoWindow || foreground != checkedForeground_) {
        return GetActiveDocument();
    }
    return checkedClient_ == kNoWindow ? kNoWindow : windows_.GetTopWindow(checkedClient_);
}

std::string Tracker::ActiveDocumentTitleAfterScan() {
    const WindowHandle foreground = windows_.GetForegroundWindow();
    if (foreground != kNoWindow && foreground == checkedForeground_ &&
        checkedClient_ != kNoWindow && checkedClient_ == scannedClient_ && scannedTopRead_) {
        return scannedTopTitle_;
    }
    return windows_.GetWindowText(GetActiveDocumentAfterCheck(), kTitleBufferSize);
}

}  // namespace perch
