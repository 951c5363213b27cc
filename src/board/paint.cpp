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
    const BoardLayout& layout = board.layout;
    const int rows = layout.NumRows();
    if (rows <= 0) {
        return;
    }
    const TitleList& display = board.tracker.DisplayList();
    const int columnWidth = layout.cellWidth + 4;
    // Lower-case texts have no capitals to fill the top pixel.
    const int textTop = settings.Capitals == kCaseLower ? 1 : 2;
    // Box i is in column i / rows and row i % rows (BoxRect); walked in that order here
    // without a division per box. Boxes past the first column leave room for the line on
    // their left.
    const int laterColumnInset = settings.Boxes != 0 ? 4 : 2;
    int left = 0;
    int y = textTop;
    int row = 0;
    for (const std::string& text : display) {
        painter.DrawText({left == 0 ? 2 : left + laterColumnInset, y}, text, settings.TextColor);
        y += layout.cellHeight;
        if (++row == rows) {
            row = 0;
            y = textTop;
            left += columnWidth;
        }
    }
}

void DrawGrid(const Board& board, Painter& painter) {
    const BoardLayout& layout = board.layout;
    const int rows = layout.NumRows();
    if (rows <= 0) {
        return;  // no boxes laid out, nothing to frame
    }
    const int n = static_cast<int>(board.tracker.DisplayList().size());
    const bool oneColumn = BoundedColumns(board.settings) == 1 || n == 1;
    const int clientRight = oneColumn ? board.windows.GetClientRect(board.tracker.View()).right : 0;
    const int shadowEnd = oneColumn ? clientRight : layout.boardWidth + 1;
    const int lightEnd = oneColumn ? clientRight : layout.boardWidth + 2;
    // The bottom of each row's boxes and the right of each column's, as BoxRect has them.
    for (int r = 0; r < rows; ++r) {
        const int y = (r + 1) * layout.cellHeight;
        painter.DrawLine({0, y}, {shadowEnd, y}, kGridShadowColor);
        painter.DrawLine({0, y + 1}, {lightEnd, y + 1}, kGridLightColor);
    }
    if (oneColumn) {
        return;
    }
    const int columns = (n + rows - 1) / rows;
    for (int c = 0; c < columns; ++c) {
        const int x = (c + 1) * (layout.cellWidth + 4);
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
        DrawGrid(board, painter);
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
