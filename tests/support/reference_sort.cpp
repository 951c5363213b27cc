#include "support/reference_sort.h"

#include <cstddef>
#include <utility>

#include "settings/settings.h"
#include "tracker/title_text.h"

namespace perch::test {

namespace {

void ExchangeSort(std::vector<std::string>& titles, std::vector<std::string>& keys,
                  const CodePage& cp) {
    const std::size_t count = titles.size();
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (std::size_t i = 0; i + 1 < count; ++i) {
            const bool emptyAfterFull = keys[i + 1].empty() && !keys[i].empty();
            if (emptyAfterFull || CompareTitles(keys[i], keys[i + 1], cp) > 0) {
                std::swap(titles[i], titles[i + 1]);
                std::swap(keys[i], keys[i + 1]);
                exchanged = true;
            }
        }
    }
}

}  // namespace

void ReferenceSortTitles(std::vector<std::string>& titles, std::int32_t sortOption,
                         const CodePage& cp) {
    std::vector<std::string> keys = titles;
    ExchangeSort(titles, keys, cp);

    if (sortOption != kSortFullTitle) {
        for (std::size_t i = 0; i < titles.size(); ++i) {
            keys[i] = FileNameOnly(titles[i], cp);
        }
        ExchangeSort(titles, keys, cp);
    }

    if (sortOption == kSortFileType) {
        for (std::size_t i = 0; i < titles.size(); ++i) {
            keys[i] = FileType(FileNameOnly(titles[i], cp), cp);
        }
        ExchangeSort(titles, keys, cp);
    }
}

}  // namespace perch::test
