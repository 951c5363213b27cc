#include "html_help.h"

#include <cstdio>
#include <fstream>
#include <set>
#include <stdexcept>

namespace helpgen {
namespace {

std::string Escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Hex8(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", v);
    return text;
}

const char kPageHead[] =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
    "\"http://www.w3.org/TR/html4/strict.dtd\">\n"
    "<html>\n<head>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n";

std::string ParagraphHtml(const Paragraph& paragraph) {
    std::string out;
    int link = -1;
    for (const Piece& piece : paragraph.pieces) {
        if (piece.link != link) {
            if (link >= 0) {
                out += "</a>";
            }
            if (piece.link >= 0) {
                const Link& target = paragraph.links.at(static_cast<std::size_t>(piece.link));
                out += "<a href=\"" + Escape(target.target) + ".html\">";
            }
            link = piece.link;
        }
        out += piece.bold ? "<b>" + Escape(piece.text) + "</b>" : Escape(piece.text);
    }
    if (link >= 0) {
        out += "</a>";
    }
    return out;
}

std::string TopicPage(const Topic& topic) {
    std::string out = kPageHead;
    out += "<title>" + Escape(topic.title) + "</title>\n";
    out +=
        "<style type=\"text/css\">\n"
        "body { font-family: Arial, Helvetica, sans-serif; font-size: 10pt; }\n"
        "h1 { font-size: 14pt; margin-top: 0; }\n"
        "</style>\n</head>\n<body>\n";
    out += "<h1>" + Escape(topic.title) + "</h1>\n";
    bool in_list = false;
    for (const Paragraph& paragraph : topic.paragraphs) {
        const bool bullet = paragraph.kind == Paragraph::Kind::kBullet;
        if (bullet && !in_list) {
            out += "<ul>\n";
        } else if (!bullet && in_list) {
            out += "</ul>\n";
        }
        in_list = bullet;
        out += bullet ? "<li>" : "<p>";
        out += ParagraphHtml(paragraph);
        out += bullet ? "</li>\n" : "</p>\n";
    }
    if (in_list) {
        out += "</ul>\n";
    }
    out += "</body>\n</html>\n";
    return out;
}

std::string IdPage(const Topic& topic) {
    const std::string page = Escape(TopicPageName(topic));
    std::string out = kPageHead;
    out += "<meta http-equiv=\"refresh\" content=\"0; url=" + page + "\">\n";
    out += "<title>" + Escape(topic.title) + "</title>\n";
    out += "<script type=\"text/javascript\">location.replace(\"" + page + "\");</script>\n";
    out += "</head>\n<body>\n<p><a href=\"" + page + "\">" + Escape(topic.title) +
           "</a></p>\n</body>\n</html>\n";
    return out;
}

std::string ContentsFile(const HelpProject& project) {
    std::string out =
        "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n"
        "<html>\n<head>\n<meta name=\"GENERATOR\" content=\"helpgen\">\n</head>\n<body>\n"
        "<object type=\"text/site properties\">\n"
        "<param name=\"Window Styles\" value=\"0x800025\">\n"
        "</object>\n<ul>\n";
    for (const Topic& topic : project.topics) {
        out += "<li><object type=\"text/sitemap\">\n";
        out += "<param name=\"Name\" value=\"" + Escape(topic.title) + "\">\n";
        out += "<param name=\"Local\" value=\"" + Escape(TopicPageName(topic)) + "\">\n";
        out += "</object>\n";
    }
    out += "</ul>\n</body>\n</html>\n";
    return out;
}

std::string ProjectFile(const HelpProject& project, const std::string& base_name) {
    std::string out = "[OPTIONS]\n";
    out += "Compatibility=1.1 or later\n";
    out += "Compiled file=" + base_name + ".chm\n";
    out += "Contents file=" + base_name + ".hhc\n";
    out += "Default topic=" + TopicPageName(project.topics.front()) + "\n";
    out += "Display compile progress=No\n";
    out += "Language=0x409 English (United States)\n";
    out += "Title=" + project.title + "\n";
    out += "\n[FILES]\n";
    for (const Topic& topic : project.topics) {
        out += TopicPageName(topic) + "\n";
    }
    for (const Topic& topic : project.topics) {
        for (const HelpId& id : topic.ids) {
            out += IdPageName(id.value) + "\n";
        }
    }
    // Each alias names one id's own page: the map compiles with compilers that allow one
    // alias per file, and every id still leads to its topic.
    const std::vector<std::string> aliases = IdAliases(project);
    std::string map;
    out += "\n[ALIAS]\n";
    std::size_t n = 0;
    for (const Topic& topic : project.topics) {
        for (const HelpId& id : topic.ids) {
            out += aliases[n] + "=" + IdPageName(id.value) + "\n";
            map += "#define " + aliases[n] + " 0x" + Hex8(id.value) + "\n";
            ++n;
        }
    }
    out += "\n[MAP]\n" + map;
    return out;
}

}  // namespace

std::string TopicPageName(const Topic& topic) {
    return topic.context + ".html";
}

std::string IdPageName(std::uint32_t id) {
    return "hid_" + Hex8(id) + ".html";
}

std::vector<std::string> IdAliases(const HelpProject& project) {
    std::vector<std::string> aliases;
    std::set<std::string> taken;
    for (const Topic& topic : project.topics) {
        for (const HelpId& id : topic.ids) {
            std::string alias = id.symbol.empty() ? "" : "H" + id.symbol;
            if (alias.empty() || taken.count(alias) != 0) {
                alias = "HID_" + Hex8(id.value);
            }
            taken.insert(alias);
            aliases.push_back(alias);
        }
    }
    return aliases;
}

std::vector<OutputFile> BuildHtmlHelp(const HelpProject& project, const std::string& base_name) {
    if (project.topics.empty()) {
        throw std::runtime_error(project.source_name + ": no topics");
    }
    std::vector<OutputFile> files;
    std::set<std::string> names;
    for (const Topic& topic : project.topics) {
        files.push_back(OutputFile{TopicPageName(topic), TopicPage(topic)});
        names.insert(TopicPageName(topic));
    }
    for (const Topic& topic : project.topics) {
        for (const HelpId& id : topic.ids) {
            if (names.count(IdPageName(id.value)) != 0) {
                throw std::runtime_error(project.source_name + ":" + std::to_string(topic.line) +
                                         ": the page of help id " + id.spelling +
                                         " has the name of a topic's page");
            }
            files.push_back(OutputFile{IdPageName(id.value), IdPage(topic)});
        }
    }
    files.push_back(OutputFile{base_name + ".hhc", ContentsFile(project)});
    files.push_back(OutputFile{base_name + ".hhp", ProjectFile(project, base_name)});
    return files;
}

void WriteFiles(const std::filesystem::path& folder, const std::vector<OutputFile>& files) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw std::runtime_error("cannot make " + folder.string() + ": " + error.message());
    }
    for (const OutputFile& file : files) {
        const std::filesystem::path path = folder / file.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.content.data(), static_cast<std::streamsize>(file.content.size()));
        out.close();
        if (!out) {
            throw std::runtime_error("cannot write " + path.string());
        }
    }
}

}  // namespace helpgen
