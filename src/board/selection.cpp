#include "board/selection.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "tracker/title_text.h"

namespace perch {

void Selection::ClearSelection() {
    for (const std::string& title : selected_) {
        host_.InvalidateTitleBox(title);
    }
    selected_.clear();
}

void Selection::SelectOnly(std::string_view title) {
    bool found = false;
    for (std::size_t i = selected_.size(); i-- > 0;) {
        if (TitlesEqual(selected_[i], title, tracker_.Code())) {
            found = true;
            continue;
        }
        const std::string removed = std::move(selected_[i]);
        selected_.erase(selected_.begin() + static_cast<std::ptrdiff_t>(i));
        host_.InvalidateTitleBox(removed);
    }
    if (!found) {
        selected_.emplace_back(title);
        host_.InvalidateTitleBox(title);
    }
}

void Selection::ToggleSelected(std::string_view title) {
    for (std::size_t i = selected_.size(); i-- > 0;) {
        if (TitlesEqual(selected_[i], title, tracker_.Code())) {
            selected_.erase(selected_.begin() + static_cast<std::ptrdiff_t>(i));
            host_.InvalidateTitleBox(title);
            return;
        }
    }
    selected_.emplace_back(title);
    host_.InvalidateTitleBox(title);
}

void Selection::SelectAll() {
    ClearSelection();
    const TitleList& titles = tracker_.CurrentTitles();
    const std::size_t boxes = std::min(tracker_.DisplayList().size(), titles.size());
    selected_.assign(titles.begin(), titles.begin() + static_cast<std::ptrdiff_t>(boxes));
    host_.InvalidateAll();
}

void Selection::PruneSelection() {
    const TitleList& current = tracker_.CurrentTitles();
    for (std::size_t i = selected_.size(); i-- > 0;) {
        if (std::find(current.begin(), current.end(), selected_[i]) == current.end()) {
            selected_.erase(selected_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

bool Selection::IsSelected(std::string_view title) const {
    return std::any_of(selected_.begin(), selected_.end(), [&](const std::string& entry) {
        return TitlesEqual(entry, title, tracker_.Code());
    });
}

void Selection::MoveFocusTo(std::string_view title) {
    if (title == focusTitle_) {
        return;
    }
    if (settings_.Focus != 0) {
        host_.InvalidateTitleBox(focusTitle_);
        host_.InvalidateTitleBox(title);
    }
    focusTitle_ = title;
}

}  // namespace perch
