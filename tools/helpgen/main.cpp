// helpgen: compiles Perch's help topic source into a WinHelp file and the HTML pages and
// project of an HTML Help file.
//
//   helpgen [--title <text>] <source> <resource header>... <out.hlp> <html dir>
//
// The HTML project is named after the .hlp file: perch.hlp comes with perch.hhp, perch.hhc
// and (once chmcmd compiles it) perch.chm. Errors go to stderr as "file:line: message"; on
// any error nothing is written and the exit status is 1.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "help_source.h"
#include "html_help.h"
#include "winhelp.h"

namespace {

std::optional<std::string> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes beside the target and renames, so a failed run never leaves half a file.
bool WriteFileAtomically(const std::filesystem::path& path,
                         const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

int Usage() {
    std::cerr << "usage: helpgen [--title <text>] <source> <resource header>... <out.hlp> <html "
                 "dir>\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string title = "Perch Help";
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--title" && i + 1 < argc) {
            title = argv[++i];
        } else if (arg.rfind("--", 0) == 0) {
            return Usage();
        } else {
            args.push_back(arg);
        }
    }
    if (args.size() < 4) {
        return Usage();
    }
    const std::string& source_path = args[0];
    const std::vector<std::string> header_paths(args.begin() + 1, args.end() - 2);
    const std::filesystem::path hlp_path = args[args.size() - 2];
    const std::filesystem::path html_dir = args[args.size() - 1];

    const auto source = ReadFile(source_path);
    if (!source) {
        std::cerr << source_path << ": cannot read the help source\n";
        return 1;
    }
    // The program's resource header and the headers of ids it takes from elsewhere (its
    // framework's): one set of names.
    std::vector<std::string> errors;
    helpgen::ResourceSymbols symbols;
    for (const std::string& header_path : header_paths) {
        const auto header = ReadFile(header_path);
        if (!header) {
            std::cerr << header_path << ": cannot read the resource header\n";
            return 1;
        }
        helpgen::ResourceSymbols more = helpgen::ParseResourceHeader(*header, header_path, errors);
        symbols.values.merge(more.values);
        symbols.non_numeric.merge(more.non_numeric);
    }
    helpgen::HelpProject project = helpgen::ParseHelpSource(*source, source_path, symbols, errors);
    project.title = title;
    if (!errors.empty()) {
        for (const std::string& error : errors) {
            std::cerr << error << "\n";
        }
        std::cerr << "helpgen: " << errors.size() << (errors.size() == 1 ? " error" : " errors")
                  << ", nothing written\n";
        return 1;
    }

    try {
        const std::vector<std::uint8_t> hlp = helpgen::WriteWinHelp(project);
        const auto html = helpgen::BuildHtmlHelp(project, hlp_path.stem().string());
        if (!WriteFileAtomically(hlp_path, hlp)) {
            std::cerr << hlp_path.string() << ": cannot write\n";
            return 1;
        }
        helpgen::WriteFiles(html_dir, html);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
