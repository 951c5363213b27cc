// One WM_PAINT of the board with real GDI under Wine, against the bare GDI calls of the
// same paint in the same process: each text measured once (GetTextExtentPoint32A), the
// same fills (a brush each), texts (SetTextColor, TextOutA) and grid lines (a pen per
// colour, MoveToEx, LineTo), replayed from what the board drew. Both paint the same
// window, inside BeginPaint/EndPaint, timed over RedrawWindow(RDW_UPDATENOW).
// Prints "BM_BoardPaintGdi ratio at N: paint/bare GDI = R (target at most 1.3)" for 10, 100
// and 1,000 boxes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/win32/gdi_painter.h"
#include "support/board_recorders.h"
#include "support/memory_profile.h"
#include "support/simulated_desktop.h"
#include "platform/code_page.h"

namespace {

using perch::test::Drawing;
using perch::test::SimulatedDesktop;

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Measures with GDI on the window's DC and records what it draws (for the replay).
class TeePainter final : public perch::Painter {
  public:
    explicit TeePainter(HDC dc) : dc_(dc) {}
    perch::TextExtent MeasureText(std::string_view text) override {
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
        measured.emplace_back(text);
        return {size.cx, size.cy};
    }
    void FillRect(const perch::Rect& rect, perch::ColorRef color) override {
        drawings.push_back(Drawing::Fill(rect, color));
    }
    void DrawText(perch::Point at, std::string_view text, perch::ColorRef color) override {
        drawings.push_back(Drawing::Text(at, text, color));
    }
    void DrawLine(perch::Point from, perch::Point to, perch::ColorRef color) override {
        drawings.push_back(Drawing::Line(from, to, color));
    }
    void DrawFocusRect(const perch::Rect& rect) override {
        drawings.push_back(Drawing::Focus(rect));
    }
    HDC dc_;
    std::vector<std::string> measured;
    std::vector<Drawing> drawings;
};

struct Scene {
    explicit Scene(int documents) {
        frame = desk.CreateTopLevel("Perch", "PerchFrame", 7, {0, 0, 1000, 760});
        view = desk.CreateChild(frame, "", "PerchView", {0, 0, 990, 700}, perch::kWsVisible);
        board.SetBoardWindows(view, frame);
        profile.WriteInt("Options", "NumColumns", 16);
        board.OnCreate();
        std::vector<std::string> titles;
        for (int i = 0; i < documents; ++i) {
            titles.push_back("C:\\DOCS\\report" + std::to_string(i) + (i % 3 == 0 ? ".DOC" : ".txt"));
        }
        app = desk.CreateMdiApp("Editor", 100, titles);
        desk.SetForeground(app.frame);
        board.OnTimer(perch::kRefreshTimerId);
    }
    SimulatedDesktop desk;
    perch::test::MemoryProfile profile;
    perch::test::RecordingViewHost viewHost;
    perch::test::RecordingFrameHost frameHost;
    perch::Board board{desk, profile, perch::Utf8Text(), viewHost, frameHost};
    perch::WindowHandle frame = perch::kNoWindow;
    perch::WindowHandle view = perch::kNoWindow;
    SimulatedDesktop::MdiApp app;
};

// What the window's WM_PAINT does now.
Scene* g_scene = nullptr;
HFONT g_font = nullptr;
TeePainter* g_recording = nullptr;  // a recording paint
bool g_bare = false;                // replay the recording as bare GDI

void BareGdi(HDC dc) {
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, g_font);
    for (const std::string& text : g_recording->measured) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    }
    std::map<perch::ColorRef, HPEN> pens;
    HGDIOBJ oldPen = nullptr;
    for (const Drawing& d : g_recording->drawings) {
        switch (d.kind) {
            case Drawing::Kind::kFill: {
                HBRUSH brush = CreateSolidBrush(d.color);
                const RECT r{d.rect.left, d.rect.top, d.rect.right, d.rect.bottom};
                FillRect(dc, &r, brush);
                DeleteObject(brush);
                break;
            }
            case Drawing::Kind::kText:
                SetTextColor(dc, d.color);
                TextOutA(dc, d.from.x, d.from.y, d.text.data(), static_cast<int>(d.text.size()));
                break;
            case Drawing::Kind::kLine: {
                HPEN& pen = pens[d.color];
                if (pen == nullptr) {
                    pen = CreatePen(PS_SOLID, 1, d.color);
                }
                HGDIOBJ previous = SelectObject(dc, pen);
                if (oldPen == nullptr) {
                    oldPen = previous;
                }
                MoveToEx(dc, d.from.x, d.from.y, nullptr);
                LineTo(dc, d.to.x, d.to.y);
                break;
            }
            case Drawing::Kind::kFocus: {
                const RECT r{d.rect.left, d.rect.top, d.rect.right, d.rect.bottom};
                DrawFocusRect(dc, &r);
                break;
            }
        }
    }
    if (oldPen != nullptr) {
        SelectObject(dc, oldPen);
    }
    for (auto& [color, pen] : pens) {
        DeleteObject(pen);
    }
    SelectObject(dc, oldFont);
    SetBkMode(dc, oldMode);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && g_scene != nullptr) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (g_recording != nullptr && !g_bare) {
            HGDIOBJ old = SelectObject(dc, g_font);
            g_scene->board.Paint(*g_recording);
            SelectObject(dc, old);
        } else if (g_bare) {
            BareGdi(dc);
        } else {
            perch::GdiPainter painter(dc, g_font);
            g_scene->board.Paint(painter);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND) {
        return 1;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

double MedianPaint(HWND window, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        GdiFlush();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PerchPaintBench";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "PerchPaintBench", "Paint bench", WS_POPUP | WS_VISIBLE, 0, 0,
                                  990, 700, nullptr, nullptr, wc.hInstance, nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }
    for (const int n : {10, 100, 1000}) {
        Scene scene(n);
        g_scene = &scene;
        LOGFONTA lf{};
        const perch::FontDescription& font = scene.board.font();
        lf.lfHeight = font.height;
        lf.lfWeight = font.weight;
        lf.lfCharSet = font.charSet;
        std::memcpy(lf.lfFaceName, font.faceName, sizeof lf.lfFaceName);
        g_font = CreateFontIndirectA(&lf);
        // One paint recorded with real measurements, for the replay.
        HDC dc = GetDC(window);
        HGDIOBJ old = SelectObject(dc, g_font);
        TeePainter recording(dc);
        g_recording = &recording;
        scene.board.Paint(recording);
        SelectObject(dc, old);
        ReleaseDC(window, dc);
        const int runs = n >= 1000 ? 41 : 201;
        double paint = 0;
        double bare = 0;
        for (int round = 0; round < 3; ++round) {  // interleaved, so load hits both alike
            g_bare = false;
            g_recording = nullptr;
            paint += MedianPaint(window, runs);
            g_bare = true;
            g_recording = &recording;
            bare += MedianPaint(window, runs);
        }
        g_bare = false;
        g_recording = nullptr;
        std::printf(
            "BM_BoardPaintGdi at %d boxes: WM_PAINT %.3f ms, bare GDI %.3f ms (%zu texts, %zu "
            "drawing calls); ratio at %d: paint/bare GDI = %.2f (target at most 1.3)\n",
            n, paint / 3 * 1000, bare / 3 * 1000, recording.measured.size(),
            recording.drawings.size(), n, paint / bare);
        std::fflush(stdout);
        DeleteObject(g_font);
        g_scene = nullptr;
    }
    DestroyWindow(window);
    return 0;
}
