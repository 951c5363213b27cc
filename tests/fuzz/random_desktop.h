// A simulated desktop built from fuzz input, changed between and inside the queries the
// program makes, and the properties of the board's lists that must hold after every step.
// Shared by the refresh-tick and the board targets.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/layout.h"
#include "board/selection.h"
#include "fuzz/fuzz_input.h"
#include "platform/code_page.h"
#include "settings/settings.h"
#include "support/simulated_desktop.h"
#include "platform/code_page.h"
#include "tracker/title_text.h"
#include "tracker/tracker.h"

namespace perch::fuzz {

using test::SimulatedDesktop;

// Pieces that matter to the title rules: paths, the "3> " prefix, app names, separators,
// letter case, ampersands, exclusion entries, half and whole double-byte characters.
inline std::string RandomTitle(FuzzInput& input) {
    // clang-format off
    static const std::array<std::string_view, 28> kPieces = {
        "Editor", "Doc", "a", "A", "REPORT.DOC", "C:\\DOCS\\",
        "\\", ">", "3> ", " - ", "[", "]",
        ".", ".txt", "&", " & ", "Program Manager", "File Manager",
        "Microsoft Word", "Microsoft Excel", "\xE6\x9D\xB1", "\xE4",
        "\xCE\xA9", " ", "|", "\xF0\x9F\x93\x84", "\xD0\x9C", "\xD0\xBC",
    };
    // clang-format on
    const std::uint8_t how = input.Byte();
    if (how < 0x20) {
        return input.ShortText(12);  // any bytes
    }
    if (how == 0xFF) {
        return std::string(250 + input.Below(20), static_cast<char>('a' + input.Below(3)));
    }
    std::string title;
    const std::uint32_t pieces = 1 + input.Below(4);
    for (std::uint32_t i = 0; i < pieces; ++i) {
        title += kPieces[input.Below(kPieces.size())];
    }
    return title;
}

// The one text model (titles are UTF-8); still takes a bit of input so that the seeds
// of earlier runs keep their meaning.
inline const CodePage& RandomCodePage(FuzzInput& input) {
    static_cast<void>(input.Bool());
    return Utf8Text();
}

// Options as a loaded record may hold them: mostly in range, sometimes not.
inline void RandomizeSettings(FuzzInput& input, Settings& settings) {
    settings.Sort = static_cast<std::int32_t>(input.Below(5)) - 1;
    settings.Capitals = static_cast<std::int32_t>(input.Below(4));
    settings.NumChars =
        input.Bool() ? static_cast<std::int32_t>(input.Below(61)) : input.SmallOrAnyInt();
    settings.NumColumns =
        input.Bool() ? static_cast<std::int32_t>(input.Below(17)) : input.SmallOrAnyInt();
    settings.Visibility = static_cast<std::int32_t>(input.Below(4));
    const std::uint8_t flags = input.Byte();
    settings.Paths = flags & 1;
    settings.First = (flags >> 1) & 1;
    settings.Focus = (flags >> 2) & 1;
    settings.Boxes = (flags >> 3) & 1;
    settings.Resize = (flags >> 4) & 1;
    settings.SmartPos = (flags >> 5) & 1;
    settings.Menu = (flags >> 6) & 1;
    if (input.Bool()) {
        settings.ExcludedApps =
            RandomTitle(input) + (input.Bool() ? "||" + RandomTitle(input) : "");
    }
}

// The desktop, the board's own frame and view on it, and other applications.
class RandomDesktop {
  public:
    static constexpr std::uint32_t kBoardProcess = 7;
    static constexpr Rect kFrameRect{700, 100, 900, 300};
    static constexpr Rect kViewRect{0, 0, 192, 150};

    explicit RandomDesktop(FuzzInput& input) : input_(input) {
        frame = desk.CreateTopLevel("Perch", "PerchFrame", kBoardProcess, kFrameRect);
        view = desk.CreateChild(frame, "", "PerchView", kViewRect, kWsVisible);
        if (input.Bool()) {
            desk.SetMonitors({{0, 0, 1024, 768}, {1024, 0, 2048, 768}});
        }
        const std::uint32_t apps = input.Below(5);
        for (std::uint32_t i = 0; i < apps; ++i) {
            CreateSomething();
        }
        desk.SetForeground(AnyWindow());
    }

    // Every window but the desktop, parents before children, in z-order.
    std::vector<WindowHandle> LiveWindows() const {
        std::vector<WindowHandle> found;
        std::vector<WindowHandle> pending = desk.TopLevelWindows();
        std::reverse(pending.begin(), pending.end());
        while (!pending.empty()) {
            const WindowHandle w = pending.back();
            pending.pop_back();
            found.push_back(w);
            std::vector<WindowHandle> children = desk.Children(w);
            pending.insert(pending.end(), children.rbegin(), children.rend());
        }
        return found;
    }

    // A live window, now and then none or a handle that is gone.
    WindowHandle AnyWindow() {
        const std::vector<WindowHandle> live = LiveWindows();
        const std::uint32_t pick = input_.Below(static_cast<std::uint32_t>(live.size()) + 2);
        if (pick < live.size()) {
            return live[pick];
        }
        return pick == live.size() ? kNoWindow : WindowHandle{0xDEAD0};
    }

    std::uint32_t AnyProcess() {
        static constexpr std::uint32_t kProcesses[] = {100, 101, 102, kBoardProcess, 0};
        return kProcesses[input_.Below(5)];
    }

    // A new application or window somewhere on the desktop.
    void CreateSomething() {
        switch (input_.Byte() % 5) {
            case 0:
            case 1: {
                static constexpr std::string_view kClientClasses[] = {
                    "MDIClient", "mdiclient", "XLDESK", "OpusDesk", "123WMDICLIENT", "Static"};
                std::vector<std::string> titles(input_.Below(9));
                for (std::string& title : titles) {
                    title = RandomTitle(input_);
                }
                const auto app = desk.CreateMdiApp(RandomTitle(input_), AnyProcess(), titles,
                                                   kClientClasses[input_.Below(6)]);
                if (input_.Bool() && !app.documents.empty()) {
                    desk.Maximize(app.documents[input_.Below(
                        static_cast<std::uint32_t>(app.documents.size()))]);
                }
                break;
            }
            case 2:
                desk.CreateTopLevel(RandomTitle(input_), "Plain", AnyProcess());
                break;
            case 3:
                desk.CreatePopup(AnyWindow(), RandomTitle(input_));
                break;
            default: {
                // A control or a document inside some window.
                const WindowHandle parent = AnyWindow();
                desk.CreateChild(parent, RandomTitle(input_),
                                 input_.Bool() ? "Button" : "MdiDocument");
                break;
            }
        }
    }

    // One change of the desktop, to the given window or another one.
    void Change(WindowHandle about) {
        const WindowHandle target = about != kNoWindow && input_.Bool() ? about : AnyWindow();
        switch (input_.Byte() % 14) {
            case 0:
                desk.Destroy(target);
                break;
            case 1:
                desk.SetTitle(target, RandomTitle(input_));
                break;
            case 2:
                desk.SetParent(target, AnyWindow());
                break;
            case 3:
                desk.Hide(target);
                break;
            case 4:
                desk.Show(target);
                break;
            case 5:
                desk.SetForeground(input_.Bool() ? target : AnyWindow());
                break;
            case 6:
                switch (input_.Below(3)) {
                    case 0:
                        desk.Minimize(target);
                        break;
                    case 1:
                        desk.Maximize(target);
                        break;
                    default:
                        desk.Restore(target);
                        break;
                }
                break;
            case 7:
                CreateSomething();
                break;
            case 8: {
                // Child, pop-up and visible bits switched.
                static constexpr std::uint32_t kBits[] = {kWsChild, kWsPopup, kWsVisible,
                                                          kWsChild | kWsPopup};
                desk.SetStyle(target, desk.GetWindowStyle(target) ^ kBits[input_.Below(4)]);
                break;
            }
            case 9:
                desk.SetProcessId(target, AnyProcess());
                break;
            case 10:
                desk.SetHung(AnyProcess(), input_.Bool());
                break;
            case 11:
                switch (input_.Below(3)) {
                    case 0:
                        desk.Raise(target);
                        break;
                    case 1:
                        desk.Lower(target);
                        break;
                    default:
                        desk.SetTopmost(target, input_.Bool());
                        break;
                }
                break;
            case 12:
                desk.SetEnabled(target, input_.Bool());
                break;
            default:
                desk.SetRect(target, {Coordinate(), Coordinate(), Coordinate(), Coordinate()});
                break;
        }
    }

    // Changes inside the program's queries: from now on, after a number of queries read
    // from the input, one change (often to the window being asked about), then the
    // number to the next one, until the input runs out or Stop.
    void ChangeDuringQueries() {
        countdown_ = input_.Below(48);
        desk.SetQueryHook([this](test::Query, WindowHandle window, int) {
            if (input_.Empty()) {
                return;
            }
            if (countdown_ > 0) {
                --countdown_;
                return;
            }
            Change(window);
            countdown_ = input_.Below(48);
        });
    }
    void StopChanging() { desk.SetQueryHook({}); }

    SimulatedDesktop desk;
    WindowHandle frame = kNoWindow;
    WindowHandle view = kNoWindow;

  private:
    // A window coordinate: Windows keeps them to 16 bits (SetWindowPos clamps them there).
    int Coordinate() {
        if (input_.Bool()) {
            return static_cast<int>(input_.Below(1300)) - 100;
        }
        return static_cast<int>(input_.Below(65536)) - 32768;
    }

    FuzzInput& input_;
    std::uint32_t countdown_ = 0;
};

// What must hold of the board's lists whatever the windows did: one display text per
// current title, a selection drawn from the current titles, an index for each title
// inside the list, and hit tests that answer a box of the list or none.
inline void CheckBoardLists(const Tracker& tracker, const Selection& selection,
                            const BoardLayout& layout, FuzzInput& input) {
    const TitleList& titles = tracker.CurrentTitles();
    const int n = static_cast<int>(titles.size());
    FUZZ_REQUIRE(tracker.DisplayList().size() == titles.size());
    FUZZ_REQUIRE(tracker.WindowCount() == titles.size());

    for (const std::string& selected : selection.SelectionList()) {
        FUZZ_REQUIRE(std::find(titles.begin(), titles.end(), selected) != titles.end());
    }
    for (int i = 0; i < n; ++i) {
        const std::string& title = titles[static_cast<std::size_t>(i)];
        const int index = tracker.IndexOfTitle(title);
        // The first of the titles equal to it, letter case ignored.
        FUZZ_REQUIRE(index >= 0 && index <= i);
        FUZZ_REQUIRE(TitlesEqual(titles[static_cast<std::size_t>(index)], title, tracker.Code()));
    }
    const int other = tracker.IndexOfTitle(RandomTitle(input));
    FUZZ_REQUIRE(other >= -1 && other < n);

    for (int probe = 0; probe < 3; ++probe) {
        const Point point{static_cast<int>(input.Below(1200)) - 100,
                          static_cast<int>(input.Below(900)) - 100};
        const HitResult hit = layout.HitTest(point);
        FUZZ_REQUIRE(hit.index >= -1 && hit.index < n);
        if (hit.index >= 0) {
            FUZZ_REQUIRE(hit.title == titles[static_cast<std::size_t>(hit.index)]);
        } else {
            FUZZ_REQUIRE(hit.title.empty());
        }
    }
}

// After a layout of the current display list: every box lies in the board and a hit at
// its centre answers that box.
inline void CheckLaidOut(const Tracker& tracker, const BoardLayout& layout,
                         const Settings& settings) {
    const int n = static_cast<int>(tracker.DisplayList().size());
    if (n == 0 || BoundedColumns(settings) == 0) {
        return;
    }
    FUZZ_REQUIRE(layout.NumRows() >= 1);
    FUZZ_REQUIRE(layout.CellHeight() > 0);
    if (layout.CellWidth() == 0) {
        return;  // nothing but empty texts: no box can be hit
    }
    for (int i = 0; i < n; ++i) {
        const std::optional<Rect> box = layout.BoxRect(i);
        FUZZ_REQUIRE(box.has_value());
        FUZZ_REQUIRE(box->left >= 0 && box->right <= layout.BoardWidth());
        FUZZ_REQUIRE(box->top >= 0 && box->bottom <= layout.BoardHeight());
        const Point centre{(box->left + box->right) / 2, (box->top + box->bottom) / 2};
        FUZZ_REQUIRE(layout.HitTest(centre).index == i);
    }
}

}  // namespace perch::fuzz
