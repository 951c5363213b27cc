#include "board/accessible_board.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace perch {

int AccessibleBoard::BoxCount() const {
    return static_cast<int>(
        std::min(tracker_.DisplayList().size(), tracker_.CurrentTitles().size()));
}

std::optional<AccessibleBox> AccessibleBoard::Box(int index) const {
    if (index < 0 || index >= BoxCount()) {
        return std::nullopt;
    }
    const auto i = static_cast<std::size_t>(index);
    AccessibleBox box;
    box.name = tracker_.DisplayList()[i];
    box.description = tracker_.CurrentTitles()[i];
    if (const std::optional<Rect> rect = layout_.BoxRect(index)) {
        box.location = ShiftedDown(*rect);
    }
    box.selected = selection_.IsSelected(box.description);
    box.cursor = cursor_.Shown() && cursor_.Index() == index;
    return box;
}

std::vector<int> AccessibleBoard::SelectedIndices() const {
    std::vector<int> indices;
    const int count = BoxCount();
    for (const std::string& title : selection_.SelectionList()) {
        const int index = tracker_.IndexOfTitle(title);
        if (index >= 0 && index < count) {
            indices.push_back(index);
        }
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

void AccessibleBoard::Sync(ViewHost& view) {
    if (tracker_.RebuildCount() != toldRebuild_) {
        toldRebuild_ = tracker_.RebuildCount();
        const TitleList& texts = tracker_.DisplayList();
        if (texts.size() == toldTexts_.size()) {
            for (std::size_t i = 0; i < texts.size(); ++i) {
                if (texts[i] != toldTexts_[i]) {
                    view.NotifyAccessibleEvent(AccessibleEvent::kNameChange, static_cast<int>(i));
                }
            }
        }
        view.NotifyAccessibleEvent(AccessibleEvent::kReorder, -1);
        toldTexts_ = texts;
        // Indices of a new list are not comparable with the old ones: the reorder tells a
        // reader to read the list again, selection and cursor included.
        toldSelected_ = SelectedIndices();
        toldCursor_ = cursor_.Shown() ? cursor_.Index() : -1;
        toldCursorShown_ = cursor_.Shown();
        return;
    }

    std::vector<int> selected = SelectedIndices();
    if (selected != toldSelected_) {
        std::vector<int> added;
        std::vector<int> removed;
        std::set_difference(selected.begin(), selected.end(), toldSelected_.begin(),
                            toldSelected_.end(), std::back_inserter(added));
        std::set_difference(toldSelected_.begin(), toldSelected_.end(), selected.begin(),
                            selected.end(), std::back_inserter(removed));
        if (added.size() == 1 && selected.size() == 1) {
            view.NotifyAccessibleEvent(AccessibleEvent::kSelection, added.front());
        } else if (added.size() + removed.size() == 1) {
            view.NotifyAccessibleEvent(
                added.empty() ? AccessibleEvent::kSelectionRemove : AccessibleEvent::kSelectionAdd,
                added.empty() ? removed.front() : added.front());
        } else if (!added.empty() || !removed.empty()) {
            view.NotifyAccessibleEvent(AccessibleEvent::kSelectionWithin, -1);
        }
        toldSelected_ = std::move(selected);
    }

    const int cursor = cursor_.Shown() ? cursor_.Index() : -1;
    if (cursor != toldCursor_ || cursor_.Shown() != toldCursorShown_) {
        toldCursor_ = cursor;
        toldCursorShown_ = cursor_.Shown();
        if (cursor >= 0) {
            view.NotifyAccessibleEvent(AccessibleEvent::kFocus, cursor);
        }
    }
}

}  // namespace perch
