#include "board/layout.h"

#include <algorithm>
#include <cstddef>

namespace perch {

void BoardLayout::ComputeLayout(Painter& painter, int minTrackWidth, int minTrackHeight) {
    cellWidth_ = 0;
    cellHeight_ = 0;
    columnGap_ = framework::ScaleToDpi(kColumnGap, painter.Dpi());
    const int columns = BoundedColumns(settings_);
    const TitleList& display = tracker_.DisplayList();
    const int n = static_cast<int>(display.size());
    if (columns == 0) {
        numRows_ = 0;
    } else {
        numRows_ = (columns + n - 1) / columns;
    }
    if (numRows_ == 0) {
        boardWidth_ = minTrackWidth + 6;
        boardHeight_ = minTrackHeight;
        return;
    }

    for (const std::string& text : display) {
        const TextExtent extent = painter.MeasureText(text);
        cellWidth_ = std::max(cellWidth_, extent.cx);
        cellHeight_ = std::max(cellHeight_, extent.cy);
    }
    if (settings_.Boxes != 0) {
        cellWidth_ += 2;
        cellHeight_ += 2;
    }
    const int rows = numRows_;
    const int usedColumns = (n + rows - 1) / rows;
    boardWidth_ = ColumnWidth() * std::min(usedColumns, columns);
    boardHeight_ = cellHeight_ * std::min(rows, n) + 2;
}

std::optional<Rect> BoardLayout::BoxRect(int index) const {
    const int rows = numRows_;
    if (index < 0 || rows <= 0) {
        return std::nullopt;
    }
    Rect box;
    box.left = (index / rows) * ColumnWidth();
    box.right = box.left + ColumnWidth();
    box.top = (index % rows) * cellHeight_;
    box.bottom = box.top + cellHeight_;
    return box;
}

std::optional<Rect> BoardLayout::BoxRectOfTitle(std::string_view title) const {
    const int index = tracker_.IndexOfTitle(title);
    if (index < 0) {
        return std::nullopt;
    }
    return BoxRect(index);
}

HitResult BoardLayout::HitTest(Point point) const {
    HitResult hit;
    const int rows = numRows_;
    if (cellWidth_ == 0 || cellHeight_ == 0 || rows <= 0) {
        return hit;
    }
    const int n = static_cast<int>(tracker_.DisplayList().size());
    int columnStart = 0;
    if (BoundedColumns(settings_) > 1 && n > 1) {
        // Division truncates toward zero: x = 0 still lands in the first column.
        columnStart = std::max(0, ((point.x - 1) / ColumnWidth()) * rows);
        if (columnStart > n - 1) {
            return hit;
        }
    }
    const int row = (point.y - 1) / cellHeight_;
    // A point far above the board (the pointer captured outside it) hits nothing rather
    // than a box of the previous column.
    if (row >= rows || row < 0) {
        return hit;
    }
    const int index = columnStart + row;
    const TitleList& titles = tracker_.CurrentTitles();
    if (static_cast<std::size_t>(index) >= titles.size()) {
        return hit;
    }
    hit.index = index;
    hit.title = titles[static_cast<std::size_t>(index)];
    return hit;
}

}  // namespace perch
