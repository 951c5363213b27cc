// The HTML side: one page per topic, and the HTML Help project that compiles them into a .chm.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "help_source.h"

namespace helpgen {

struct OutputFile {
    std::string name;  // file name inside the HTML folder
    std::string content;
};

// The page a topic is shown on: "<context>.html".
std::string TopicPageName(const Topic& topic);

// The page that stands for a help id: "hid_<8 lower-case hex digits>.html". It sends the
// viewer on to its topic's page, so a program can open a topic by id with
// HH_DISPLAY_TOPIC "perch.chm::/hid_00018003.html" as well as with HH_HELP_CONTEXT.
std::string IdPageName(std::uint32_t id);

// The alias of a help id in the project's [ALIAS] and [MAP]: "H" + its resource.h symbol
// (HID_APP_ABOUT, HIDR_MAINFRAME, HIDD_COLORS, as MFC's makehm names them), or
// "HID_<8 hex digits>" for a plain number or a name already taken.
std::vector<std::string> IdAliases(const HelpProject& project);

// Everything the HTML folder holds: topic pages, id pages, "<base>.hhc" and "<base>.hhp"
// (which compiles into "<base>.chm"). Throws std::runtime_error when an id page's name is
// also a topic's page.
std::vector<OutputFile> BuildHtmlHelp(const HelpProject& project, const std::string& base_name);

// Writes the files into the folder (made when missing). Throws std::runtime_error when a file
// cannot be written.
void WriteFiles(const std::filesystem::path& folder, const std::vector<OutputFile>& files);

}  // namespace helpgen
