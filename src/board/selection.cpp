#include "board/selection.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "tracker/title_text.h"

namespace perch {

void Selection::ClearSelection() {
    perch::ClearSelection(tracker_, host_);
}

void Selection::SelectOnly(std::string_view title) {
    TitleList& selected = tracker_.SelectionList();
    bool found = false;
    for (std::size_t i = selected.size(); i-- > 0;) {
        if (TitlesEqual(selected[i], title, tracker_.Code())) {
            found = true;
            continue;
        }
        const std::string removed = std::move(selected[i]);
        selected.erase(selected.begin() + static_cast<std::ptrdiff_t>(i));
        host_.InvalidateTitleBox(removed);
    }
    if (!found) {
        selected.emplace_back(title);
        host_.InvalidateTitleBox(title);
    }
}

void Selection::ToggleSelected(std::string_view title) {
    TitleList& selected = tracker_.SelectionList();
    for (std::size_t i = selected.size(); i-- > 0;) {
        if (TitlesEqual(selected[i], title, tracker_.Code())) {
            selected.erase(selected.begin() + static_cast<std::ptrdiff_t>(i));
            host_.InvalidateTitleBox(title);
            return;
        }
    }
    selected.emplace_back(title);
    host_.InvalidateTitleBox(title);
}

void Selection::SelectAll() {
    ClearSelection();
    const TitleList& titles = tracker_.CurrentTitles();
    const std::size_t boxes = std::min(tracker_.DisplayList().size(), titles.size());
    TitleList& selected = tracker_.SelectionList();
    selected.assign(titles.begin(), titles.begin() + static_cast<std::ptrdiff_t>(boxes));
    host_.InvalidateAll();
}

bool Selection::IsSelected(std::string_view title) const {
    for (const std::string& entry : tracker_.SelectionList()) {
        if (TitlesEqual(entry, title, tracker_.Code())) {
            return true;
        }
    }
    return false;
}

}  // namespace perch
