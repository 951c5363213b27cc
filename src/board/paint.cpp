#include "board/paint.h"

#include <cstddef>
#include <optional>
#include <string>

namespace perch {
namespace {

void FillBoxOfTitle(const BoardLayout& layout, Painter& painter, std::string_view title,
                    ColorRef color) {
    if (const std::optional<Rect> box = layout.BoxRectOfTitle(title)) {
        painter.FillRect(ShiftedDown(*box), color);
    }
}

void DrawTexts(const Settings& settings, const BoardLayout& layout, const Tracker& tracker,
               Painter& painter) {
    const int rows = layout.NumRows();
    if (rows <= 0) {
        return;
    }
    const TitleList& display = tracker.DisplayList();
    const int columnWidth = layout.ColumnWidth();
    // Lower-case texts have no capitals to fill the top pixel. Insets are at 96 DPI.
    const int dpi = painter.Dpi();
    const int textTop = framework::ScaleToDpi(settings.Capitals == kCaseLower ? 1 : 2, dpi);
    const int firstColumnInset = framework::ScaleToDpi(2, dpi);
    // Box i is in column i / rows and row i % rows (BoxRect); walked in that order here
    // without a division per box. Boxes past the first column leave room for the line on
    // their left.
    const int laterColumnInset = framework::ScaleToDpi(settings.Boxes != 0 ? 4 : 2, dpi);
    int left = 0;
    int y = textTop;
    int row = 0;
    for (const std::string& text : display) {
        painter.DrawText({left == 0 ? firstColumnInset : left + laterColumnInset, y}, text,
                         settings.TextColor);
        y += layout.CellHeight();
        if (++row == rows) {
            row = 0;
            y = textTop;
            left += columnWidth;
        }
    }
}

void DrawGrid(const Settings& settings, const BoardLayout& layout, const Tracker& tracker,
              Painter& painter) {
    const int rows = layout.NumRows();
    if (rows <= 0) {
        return;  // no boxes laid out, nothing to frame
    }
    const int n = static_cast<int>(tracker.DisplayList().size());
    const bool oneColumn = BoundedColumns(settings) == 1 || n == 1;
    const int clientRight = oneColumn ? tracker.Windows().GetClientRect(tracker.View()).right : 0;
    const int shadowEnd = oneColumn ? clientRight : layout.BoardWidth() + 1;
    const int lightEnd = oneColumn ? clientRight : layout.BoardWidth() + 2;
    // The bottom of each row's boxes and the right of each column's, as BoxRect has them.
    for (int r = 0; r < rows; ++r) {
        const int y = (r + 1) * layout.CellHeight();
        painter.DrawLine({0, y}, {shadowEnd, y}, kGridShadowColor);
        painter.DrawLine({0, y + 1}, {lightEnd, y + 1}, kGridLightColor);
    }
    if (oneColumn) {
        return;
    }
    const int columns = (n + rows - 1) / rows;
    for (int c = 0; c < columns; ++c) {
        const int x = (c + 1) * layout.ColumnWidth();
        painter.DrawLine({x, 0}, {x, layout.BoardHeight() - 1}, kGridShadowColor);
        painter.DrawLine({x + 1, 0}, {x + 1, layout.BoardHeight()}, kGridLightColor);
    }
}

}  // namespace

void DrawBoard(const Settings& settings, const BoardLayout& layout, const Tracker& tracker,
               const Selection& selection, const KeyboardCursor& cursor, Painter& painter) {
    if (settings.Focus != 0) {
        FillBoxOfTitle(layout, painter, selection.FocusTitle(), settings.FocusColor);
    }
    const TitleList& selected = selection.SelectionList();
    for (std::size_t i = selected.size(); i-- > 0;) {
        FillBoxOfTitle(layout, painter, selected[i], settings.HltColor);
    }
    DrawTexts(settings, layout, tracker, painter);
    if (settings.Boxes != 0) {
        DrawGrid(settings, layout, tracker, painter);
    }
    if (cursor.Shown()) {
        // Inside the box's fill, clear of the grid lines along its edges (the light line of
        // the column on the left lies one pixel inside it).
        if (const std::optional<Rect> box = layout.BoxRect(cursor.Index())) {
            const Rect fill = ShiftedDown(*box);
            painter.DrawFocusRect({fill.left + 2, fill.top + 1, fill.right - 1, fill.bottom - 1});
        }
    }
}

}  // namespace perch
