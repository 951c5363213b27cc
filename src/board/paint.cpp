#include "board/paint.h"

#include <cstddef>
#include <optional>
#include <string>

#include "board/board.h"

namespace perch {
namespace {

void FillBoxOfTitle(const BoardLayout& layout, Painter& painter, std::string_view title,
                    ColorRef color) {
    if (const std::optional<Rect> box = layout.BoxRectOfTitle(title)) {
        painter.FillRect(ShiftedDown(*box), color);
    }
}

void DrawTexts(const Board& board, Painter& painter) {
    const Settings& settings = board.settings;
    const TitleList& display = board.tracker.DisplayList();
    for (std::size_t i = 0; i < display.size(); ++i) {
        const std::optional<Rect> box = board.layout.BoxRect(static_cast<int>(i));
        if (!box) {
            continue;
        }
        int x = box->left + 2;
        // Boxes past the first column leave room for the line on their left.
        if (settings.Boxes != 0 && x > 2) {
            x += 2;
        }
        // Lower-case texts have no capitals to fill the top pixel.
        const int y = box->top + (settings.Capitals == kCaseLower ? 1 : 2);
        painter.DrawText({x, y}, display[i], settings.TextColor);
    }
}

void DrawGrid(const Board& board, Painter& painter, int clientRight) {
    const BoardLayout& layout = board.layout;
    const int rows = layout.NumRows();
    if (rows <= 0) {
        return;  // no boxes laid out, nothing to frame
    }
    const int n = static_cast<int>(board.tracker.DisplayList().size());
    const bool oneColumn = BoundedColumns(board.settings) == 1 || n == 1;
    const int shadowEnd = oneColumn ? clientRight : layout.boardWidth + 1;
    const int lightEnd = oneColumn ? clientRight : layout.boardWidth + 2;
    for (int r = 0; r < rows; ++r) {
        const int y = layout.BoxRect(r)->bottom;
        painter.DrawLine({0, y}, {shadowEnd, y}, kGridShadowColor);
        painter.DrawLine({0, y + 1}, {lightEnd, y + 1}, kGridLightColor);
    }
    if (oneColumn) {
        return;
    }
    for (int i = 0; i < n; i += rows) {
        const int x = layout.BoxRect(i)->right;
        painter.DrawLine({x, 0}, {x, layout.boardHeight - 1}, kGridShadowColor);
        painter.DrawLine({x + 1, 0}, {x + 1, layout.boardHeight}, kGridLightColor);
    }
}

}  // namespace

void PaintBoard(Board& board, Painter& painter) {
    const Settings& settings = board.settings;
    FrameHost& frame = board.frameHost;
    frame.SetMenuShown(settings.Menu != 0);
    board.layout.ComputeLayout(painter, frame.MinTrackWidth(), frame.MinTrackHeight());

    if (settings.Focus != 0) {
        FillBoxOfTitle(board.layout, painter, board.tracker.FocusTitle(), settings.FocusColor);
    }
    const TitleList& selected = board.tracker.SelectionList();
    for (std::size_t i = selected.size(); i-- > 0;) {
        FillBoxOfTitle(board.layout, painter, selected[i], settings.HltColor);
    }
    DrawTexts(board, painter);
    if (settings.Boxes != 0) {
        DrawGrid(board, painter, board.windows.GetClientRect(board.tracker.View()).right);
    }

    // The first paint fits the frame to the grid; the next one, without Auto Size, goes
    // back to the stored size.
    if (board.flags.resizePending != 0) {
        board.placement.FitFrameToBoard(board.layout.boardWidth, board.layout.boardHeight - 2,
                                        false);
    } else if (board.firstPaint != 0) {
        if (settings.Resize == 0) {
            board.placement.FitFrameToBoard(settings.XSize, settings.YSize, true);
        }
        board.firstPaint = 0;
    }
}

void EraseBoardBackground(Board& board, Painter& painter) {
    painter.FillRect(board.windows.GetClientRect(board.tracker.View()), board.settings.BkgndColor);
}

}  // namespace perch
