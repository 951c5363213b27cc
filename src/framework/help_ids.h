#pragma once

#include <cstdint>

namespace framework {

// The numbers a program asks its help file for: a command's topic is the command id plus
// kHelpIdCommandBase, a resource's (a dialog, a property page, the main window) its id plus
// kHelpIdResourceBase. The help file maps the same numbers to its topics.
inline constexpr std::uint32_t kHelpIdCommandBase = 0x10000;
inline constexpr std::uint32_t kHelpIdResourceBase = 0x20000;

constexpr std::uint32_t HelpIdForCommand(std::uint32_t commandId) {
    return kHelpIdCommandBase + commandId;
}
constexpr std::uint32_t HelpIdForResource(std::uint32_t resourceId) {
    return kHelpIdResourceBase + resourceId;
}

// What F1 asks for: the page of a property sheet that is showing, else the menu item that
// is highlighted, else the main window (the resource id of the frame).
struct HelpSituation {
    std::uint32_t sheetPageTemplate = 0;   // 0: no sheet open
    std::uint32_t highlightedCommand = 0;  // 0: no menu item (or a pop-up, or a separator)
};
constexpr std::uint32_t HelpIdForF1(const HelpSituation& situation, std::uint32_t frameResource) {
    if (situation.sheetPageTemplate != 0) {
        return HelpIdForResource(situation.sheetPageTemplate);
    }
    if (situation.highlightedCommand != 0) {
        return HelpIdForCommand(situation.highlightedCommand);
    }
    return HelpIdForResource(frameResource);
}

// Which viewer shows the help file. WinHelp runs under Wine (whose HTML Help shows blank
// pages) and on Windows before version 6; later Windows has no working WinHelp viewer,
// so there HTML Help shows the compiled HTML file, unless it cannot be loaded or the file
// is missing.
enum class HelpViewerKind { kWinHelp, kHtmlHelp };
constexpr HelpViewerKind ChooseHelpViewer(bool underWine, unsigned windowsMajorVersion,
                                          bool htmlHelpLoads, bool compiledHtmlPresent) {
    if (underWine || windowsMajorVersion < 6 || !htmlHelpLoads || !compiledHtmlPresent) {
        return HelpViewerKind::kWinHelp;
    }
    return HelpViewerKind::kHtmlHelp;
}

}  // namespace framework
