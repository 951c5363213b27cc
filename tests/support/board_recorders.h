#pragma once

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "board/board_hosts.h"
#include "board/painter.h"

namespace perch::test {

// One drawing call as the board made it. Fields the kind does not use stay zero.
struct Drawing {
    enum class Kind { kFill, kText, kLine, kFocus };
    Kind kind{};
    Rect rect;         // kFill, kFocus
    Point from;        // kText: the origin; kLine: the start
    Point to;          // kLine: the end
    std::string text;  // kText
    ColorRef color = 0;

    bool operator==(const Drawing&) const = default;

    static Drawing Fill(Rect rect, ColorRef color) {
        return {Kind::kFill, rect, {}, {}, {}, color};
    }
    static Drawing Text(Point at, std::string_view text, ColorRef color) {
        return {Kind::kText, {}, at, {}, std::string(text), color};
    }
    static Drawing Line(Point from, Point to, ColorRef color) {
        return {Kind::kLine, {}, from, to, {}, color};
    }
    static Drawing Focus(Rect rect) { return {Kind::kFocus, rect, {}, {}, {}, 0}; }
};

std::ostream& operator<<(std::ostream& os, const Drawing& drawing);

// A painter with a fixed-pitch font (kCharWidth per byte, kLineHeight high, unless a text
// is given its own extent) that records every drawing call and counts measurements.
class RecordingPainter final : public Painter {
  public:
    static constexpr int kCharWidth = 7;
    static constexpr int kLineHeight = 13;

    TextExtent MeasureText(std::string_view text) override;
    void FillRect(const Rect& rect, ColorRef color) override;
    void DrawText(Point at, std::string_view text, ColorRef color) override;
    void DrawLine(Point from, Point to, ColorRef color) override;
    void DrawFocusRect(const Rect& rect) override { drawings.push_back(Drawing::Focus(rect)); }
    int Dpi() const override { return dpi; }

    void SetExtent(std::string_view text, TextExtent extent) {
        extents_[std::string(text)] = extent;
    }
    std::vector<Drawing> OfKind(Drawing::Kind kind) const;
    void Clear() {
        drawings.clear();
        measured.clear();
    }

    std::vector<Drawing> drawings;
    std::vector<std::string> measured;
    int dpi = 96;  // what the board is drawn at

  private:
    std::map<std::string, TextExtent> extents_;
};

// The view as the board sees it: records invalidations, messages, timers and fonts.
class RecordingViewHost final : public ViewHost {
  public:
    void InvalidateRect(const Rect& rect) override { invalidated.push_back(rect); }
    void InvalidateAll() override { ++invalidatedAll; }
    void ShowMessage(unsigned stringId) override {
        messages.push_back(stringId);
        if (duringMessage) {
            duringMessage();
        }
    }
    unsigned StartTimer(unsigned id, int periodMs) override {
        timers.emplace_back(id, periodMs);
        return id;
    }
    void StopTimer(unsigned timerId) override { stoppedTimers.push_back(timerId); }
    int LogPixelsY() override { return logPixelsY; }
    bool SetBoardFont(const FontDescription& font) override {
        fonts.push_back(font);
        return fontCreates;
    }
    void RedrawNow() override {
        ++invalidatedAll;
        ++redrawsNow;
        if (onRedraw) {
            onRedraw();
        }
    }
    bool RunFontDialog(FontDescription& font) override {
        ++fontDialogs;
        if (duringDialog) {
            duringDialog();
        }
        if (!chosenFont) {
            return false;
        }
        font = *chosenFont;
        return true;
    }
    bool RunPropertiesSheet(PropertiesPages& pages) override {
        ++sheets;
        shownPages.push_back(pages);
        if (duringDialog) {
            duringDialog();
        }
        if (!editPages) {
            return false;
        }
        editPages(pages);
        return true;
    }
    void NotifyAccessibleEvent(AccessibleEvent event, int box) override {
        accessibleEvents.emplace_back(event, box);
    }
    void ClearInvalidations() {
        invalidated.clear();
        invalidatedAll = 0;
    }

    std::vector<Rect> invalidated;
    int invalidatedAll = 0;
    std::vector<unsigned> messages;
    std::vector<std::pair<unsigned, int>> timers;
    std::vector<unsigned> stoppedTimers;
    std::vector<FontDescription> fonts;
    int logPixelsY = 96;
    bool fontCreates = true;
    int redrawsNow = 0;
    std::function<void()> onRedraw;  // runs inside RedrawNow
    // The dialogs: what the user does in them. Without a chosen font the font dialog is
    // cancelled; without editPages the sheet is cancelled, otherwise editPages changes
    // the pages and the sheet ends with OK. duringDialog runs while either is open.
    std::optional<FontDescription> chosenFont;
    std::function<void(PropertiesPages&)> editPages;
    std::function<void()> duringDialog;
    std::function<void()> duringMessage;  // runs while a message box is up
    int fontDialogs = 0;
    int sheets = 0;
    std::vector<PropertiesPages> shownPages;
    std::vector<std::pair<AccessibleEvent, int>> accessibleEvents;
};

// The frame as the board sees it: metrics of a 1024-pixel-wide screen, and a record of
// its menu calls.
class RecordingFrameHost final : public FrameHost {
  public:
    int MinTrackWidth() const override { return minTrackWidth; }
    int MinTrackHeight() const override { return minTrackHeight; }
    void RemoveMenu() override { ++menuRemoved; }
    void SelectMenu(int clientWidth, bool force) override {
        selectedMenus.emplace_back(clientWidth, force);
    }
    void SaveBarState() override { ++barStateSaves; }
    void ShowStatusText(std::string_view text) override { statusTexts.emplace_back(text); }
    int FrameDpi() const override { return dpi; }

    int minTrackWidth = 90;
    int minTrackHeight = 18;
    int dpi = 96;
    int menuRemoved = 0;
    std::vector<std::pair<int, bool>> selectedMenus;
    int barStateSaves = 0;
    std::vector<std::string> statusTexts;
};

}  // namespace perch::test
