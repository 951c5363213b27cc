#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "framework/data_exchange.h"

namespace perch {

// The exclusion list is stored with its entries joined by "||" and edited one entry a line.
// Both separators are two characters, so the two forms have the same length; a "||" typed
// inside a line separates two entries.
std::string ExcludedAppsToEdited(std::string_view stored);
std::string ExcludedAppsToStored(std::string_view edited);

// The most the page's edit holds, a line break counting two.
inline constexpr std::size_t kMaxExcludedChars = 150;

// The page's data exchange of the edited text.
void ExchangeExcludedAppsPage(framework::DataExchange& dx, std::string& edited);

}  // namespace perch
