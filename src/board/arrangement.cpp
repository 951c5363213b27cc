#include "board/arrangement.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "board/answering_windows.h"
#include "res/resource.h"
#include "tracker/title_text.h"

namespace perch {
namespace {

constexpr int kMinStripHeight = 80;
constexpr int kMinStripWidth = 100;
constexpr int kAreaShrink = 2;
// A maximized document is wider than its client's client area by its two borders.
constexpr int kMaximizedWidthTolerance = 12;
constexpr std::string_view kWordName = "Microsoft Word";
constexpr std::string_view kExcelName = "Microsoft Excel";

}  // namespace

std::optional<Rect> Arrangement::GetArrangementArea() {
    const TitleList& selected = selection_.SelectionList();
    if (selected.empty() || selected.front().empty()) {
        return std::nullopt;
    }
    const DocumentWindowSearch search = tracker_.FindDocumentWindow(selected.front());
    if (!search.found) {
        return std::nullopt;
    }
    // The chain from the document up to its top-level window; the area is the window just
    // below the top (the MDI client, for an ordinary document window).
    std::vector<WindowHandle> chain{search.document};
    for (int step = 0; step < kMaxParentSteps; ++step) {
        const WindowHandle parent = windows_.GetParent(chain.back());
        if (parent == kNoWindow) {
            break;
        }
        chain.push_back(parent);
    }
    if (chain.size() < 3) {
        return std::nullopt;
    }
    const Rect outer = windows_.GetWindowRect(chain[chain.size() - 2]);
    Rect area;
    area.right = std::max(0, outer.Width() - kAreaShrink);
    area.bottom = std::max(0, outer.Height() - kAreaShrink);
    return area;
}

void Arrangement::TileSelected(TileDirection direction) {
    const std::optional<Rect> area = GetArrangementArea();
    if (!area) {
        return;
    }
    // A copy: the titles are worked through while other code may touch the list.
    const TitleList selected = selection_.SelectionList();
    const int n = static_cast<int>(selected.size());
    if (n == 0) {
        return;
    }
    if (RefuseWhileMaximized(RefusedOperation::kTile)) {
        windows_.SetForegroundWindow(tracker_.FindAppWindow());
        return;
    }
    const bool horizontal = direction == TileDirection::kHorizontal;
    const int dpi = frame_.FrameDpi();
    const int strip = horizontal
                          ? std::max(area->bottom / n, framework::ScaleToDpi(kMinStripHeight, dpi))
                          : std::max(area->right / n, framework::ScaleToDpi(kMinStripWidth, dpi));
    RestoreMaximizedDocument();

    AnsweringWindows answering(windows_);
    int position = 0;
    for (const std::string& title : selected) {
        const DocumentWindowSearch search = tracker_.FindDocumentWindow(title);
        if (search.found && answering.Answers(search.document)) {
            const WindowHandle document = search.document;
            windows_.SetForegroundWindow(search.app);
            if (n == 1) {
                // One window is not tiled but maximized.
                windows_.BringWindowToTop(document);
                windows_.ShowWindow(document, kSwShowNormal);
                windows_.SendSysCommand(document, kScMaximize);
            } else {
                if (windows_.IsIconic(document)) {
                    windows_.BringWindowToTop(document);
                    windows_.ShowWindow(document, kSwShowNormal);
                    windows_.SendSysCommand(document, kScRestore);
                }
                windows_.BringWindowToTop(document);
                if (horizontal) {
                    windows_.SetWindowPos(document, kHwndTop, 0, position, area->right, strip, 0);
                } else {
                    windows_.SetWindowPos(document, kHwndTop, position, 0, strip, area->bottom, 0);
                }
            }
            windows_.InvalidateRect(document);
        }
        // A window that vanished leaves its strip empty.
        position += strip;
    }
    selection_.ClearSelection();
}

bool Arrangement::RefuseWhileMaximized(RefusedOperation operation) {
    const std::string& appName = tracker_.App().appName;
    const CodePage& codePage = tracker_.Code();
    const bool word = FindText(appName, kWordName, codePage) != kNotFound;
    const bool excel = FindText(appName, kExcelName, codePage) != kNotFound;
    if (!word && !(excel && operation == RefusedOperation::kTile)) {
        return false;
    }
    if (!HasMaximizedDocument()) {
        return false;
    }
    {
        // The message box's own loop must not run ticks or another command.
        const BusyScope busy(busy_);
        view_.ShowMessage(IDS_MAXIMIZED_REFUSAL);
    }
    return true;
}

bool Arrangement::HasMaximizedDocument() {
    // A copy: finding windows must not see the list change under it.
    const TitleList titles = tracker_.CurrentTitles();
    for (const std::string& title : titles) {
        const DocumentWindowSearch search = tracker_.FindDocumentWindow(title);
        if (!search.found) {
            continue;
        }
        const Rect outer = windows_.GetWindowRect(search.document);
        const Rect client = windows_.GetClientRect(tracker_.App().mdiClient);
        const int w = outer.Width();
        if (client.right < w && w < client.right + kMaximizedWidthTolerance &&
            outer.Height() > client.bottom) {
            return true;
        }
    }
    return false;
}

void Arrangement::RestoreMaximizedDocument() {
    AnsweringWindows answering(windows_);
    const TitleList titles = tracker_.CurrentTitles();
    for (const std::string& title : titles) {
        const DocumentWindowSearch search = tracker_.FindDocumentWindow(title);
        if (!search.found || !windows_.IsZoomed(search.document) ||
            !answering.Answers(search.document)) {
            continue;
        }
        windows_.BringWindowToTop(search.document);
        windows_.SendSysCommand(search.document, kScRestore);
        return;
    }
}

void Arrangement::MinimizeSelected() {
    const TitleList selected = selection_.SelectionList();
    if (selected.empty()) {
        return;
    }
    if (RefuseWhileMaximized(RefusedOperation::kMinimize)) {
        windows_.SetForegroundWindow(tracker_.FindAppWindow());
        return;
    }
    WindowHandle lastApp = kNoWindow;
    {
        // Busy until the requests are posted: a tick meanwhile would see the application
        // half-way and, in Smart mode, push the frame down.
        const BusyScope busy(busy_);
        AnsweringWindows answering(windows_);
        bool minimizedOne = false;
        for (const std::string& title : selected) {
            const DocumentWindowSearch search = tracker_.FindDocumentWindow(title);
            const bool usable = search.found && answering.Answers(search.document);
            lastApp = usable ? search.app : kNoWindow;
            if (!usable || windows_.IsIconic(search.document)) {
                continue;
            }
            if (!minimizedOne) {
                windows_.SetForegroundWindow(search.app);
                minimizedOne = true;
            }
            windows_.BringWindowToTop(search.document);
            windows_.PostSysCommand(search.document, kScMinimize);
        }
        selection_.ClearSelection();
    }
    if (lastApp != kNoWindow) {
        windows_.SetForegroundWindow(lastApp);
    }
}

void Arrangement::CloseSelected() {
    const TitleList selected = selection_.SelectionList();
    if (selected.empty()) {
        return;
    }
    AnsweringWindows answering(windows_);
    WindowHandle lastApp = kNoWindow;
    for (const std::string& title : selected) {
        const DocumentWindowSearch search = tracker_.FindDocumentWindow(title);
        const bool usable = search.found && answering.Answers(search.document);
        lastApp = usable ? search.app : kNoWindow;
        if (!usable) {
            continue;
        }
        windows_.BringWindowToTop(search.document);
        // Posted: the application may ask about unsaved changes after we are done.
        windows_.PostClose(search.document);
    }
    if (lastApp != kNoWindow) {
        windows_.SetForegroundWindow(lastApp);
    }
    selection_.ClearSelection();
}

bool Arrangement::CanCascade() {
    return !tracker_.DisplayList().empty() && windows_.SystemCascades();
}

void Arrangement::CascadeAll() {
    if (!windows_.SystemCascades() || tracker_.DisplayList().empty()) {
        return;
    }
    const WindowHandle client = tracker_.App().mdiClient;
    if (client != kNoWindow) {
        if (!AnsweringWindows(windows_).Answers(client)) {
            return;
        }
        windows_.CascadeWindows(client);
    }
    windows_.SetForegroundWindow(windows_.GetParent(client));
}

}  // namespace perch
