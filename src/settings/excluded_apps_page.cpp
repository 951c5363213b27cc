#include "settings/excluded_apps_page.h"

#include "res/resource.h"

namespace perch {
namespace {

// Overwrites each pair `from` with the pair `to`, leftmost first ("|||" becomes a line
// break and a lone "|"). Neither replacement can form a new pair with its neighbours.
std::string ReplacePairs(std::string_view text, std::string_view from, std::string_view to) {
    std::string out(text);
    std::size_t at = 0;
    while ((at = out.find(from, at)) != std::string::npos) {
        out.replace(at, 2, to);
        at += 2;
    }
    return out;
}

}  // namespace

std::string ExcludedAppsToEdited(std::string_view stored) {
    return ReplacePairs(stored, "||", "\r\n");
}

std::string ExcludedAppsToStored(std::string_view edited) {
    return ReplacePairs(edited, "\r\n", "||");
}

void ExchangeExcludedAppsPage(framework::DataExchange& dx, std::string& edited) {
    dx.Text(IDC_EXCLUDED_APPS, edited, kMaxExcludedChars);
}

}  // namespace perch
