// SortTitles against the repeated-pass exchange sort it replaces, on realistic title lists.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "ratio_report.h"
#include "support/reference_sort.h"
#include "platform/code_page.h"
#include "tracker/title_text.h"

namespace {

// Titles as MDI applications show them: bare names, full paths, UNC paths, captions with
// a path, a few window-number prefixes already cleaned away, and many duplicates.
std::vector<std::string> MakeTitles(std::size_t count, std::uint32_t seed) {
    static const char* const kDirs[] = {"C:\\DOCS\\",
                                        "C:\\WINDOWS\\",
                                        "D:\\PROJECTS\\PERCH\\",
                                        "\\\\SERVER\\SHARE\\",
                                        "C:\\Users\\ann\\Desktop\\",
                                        "E:\\archive\\1995\\"};
    static const char* const kStems[] = {"report", "Budget", "memo",  "LETTER", "notes",
                                         "readme", "Book",   "draft", "Chart",  "invoice"};
    static const char* const kTypes[] = {".DOC", ".txt", ".xls", ".Htm", ".bak", "", ".tar.gz"};
    std::mt19937 rng(seed);
    std::vector<std::string> titles;
    titles.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!titles.empty() && rng() % 5 == 0) {
            titles.push_back(titles[rng() % titles.size()]);  // the same document twice
            continue;
        }
        std::string title;
        switch (rng() % 4) {
            case 0:
                break;
            case 1:
                title = "Memo - ";
                [[fallthrough]];
            default:
                title += kDirs[rng() % std::size(kDirs)];
        }
        title += kStems[rng() % std::size(kStems)];
        title += std::to_string(rng() % 200);
        title += kTypes[rng() % std::size(kTypes)];
        titles.push_back(std::move(title));
    }
    return titles;
}

template <typename SortFn>
void RunSort(benchmark::State& state, std::int32_t sortOption, SortFn sort) {
    const std::vector<std::string> input =
        MakeTitles(static_cast<std::size_t>(state.range(0)), 1995);
    const perch::CodePage& cp = perch::Utf8Text();
    for (auto _ : state) {
        std::vector<std::string> titles = input;  // the same copy cost on both sides
        sort(titles, sortOption, cp);
        benchmark::DoNotOptimize(titles.data());
    }
}

#ifdef NDEBUG
constexpr std::int64_t kSizes[] = {100, 1000, 10000};
#else
// Unoptimised (and usually sanitised) builds run the quadratic baseline about ten times
// slower: 10,000 titles would take minutes, so only optimised builds measure that size.
constexpr std::int64_t kSizes[] = {100, 1000};
#endif

void Register(const char* family, std::int32_t sortOption) {
    const std::string base = family;
    for (const std::int64_t n : kSizes) {
        auto* baseline = benchmark::RegisterBenchmark(
            (base + "/baseline").c_str(), [sortOption](benchmark::State& state) {
                RunSort(state, sortOption, perch::test::ReferenceSortTitles);
            });
        baseline->Arg(n)->Unit(benchmark::kMillisecond);
        // The quadratic baseline takes seconds at 10,000: one timed run is enough.
        if (n >= 10000) {
            baseline->Iterations(1);
        } else {
            baseline->MinTime(0.2);
        }
        benchmark::RegisterBenchmark((base + "/new").c_str(),
                                     [sortOption](benchmark::State& state) {
                                         RunSort(state, sortOption, perch::SortTitles);
                                     })
            ->Arg(n)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.2);
    }
}

const bool kRegistered = [] {
    Register("BM_SortTitles_FileName", perch::kSortFileName);
    Register("BM_SortTitles_FileType", perch::kSortFileType);
    return true;
}();

}  // namespace

PERCH_BENCHMARK_MAIN_WITH_RATIOS()
