#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/code_page.h"

namespace perch::test {

// The title order written out the long way: up to three sorts by repeated passes of
// adjacent exchanges (whole title; file name unless Sort is 2; file type when Sort is 1).
// Each entry's key is derived once per sort and exchanged along with it. Quadratic: a
// baseline for the benchmark and an oracle for SortTitles, not for production.
void ReferenceSortTitles(std::vector<std::string>& titles, std::int32_t sortOption,
                         const CodePage& cp);

}  // namespace perch::test
