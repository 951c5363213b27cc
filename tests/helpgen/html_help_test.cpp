// The HTML pages and the HTML Help project.
#include "html_help.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "helpgen_test_support.h"

namespace helpgen_test {
namespace {

std::map<std::string, std::string> Build(const helpgen::HelpProject& project) {
    std::map<std::string, std::string> files;
    for (auto& file : helpgen::BuildHtmlHelp(project, "perch")) {
        EXPECT_TRUE(files.emplace(file.name, file.content).second) << "twice: " << file.name;
    }
    return files;
}

// The lines of each [SECTION] of a project file.
std::map<std::string, std::vector<std::string>> Sections(const std::string& hhp) {
    std::map<std::string, std::vector<std::string>> sections;
    std::istringstream in(hhp);
    std::string line, current;
    while (std::getline(in, line)) {
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[') {
            current = line.substr(1, line.size() - 2);
        } else {
            sections[current].push_back(line);
        }
    }
    return sections;
}

std::string Capture(const std::string& text, const std::string& pattern) {
    std::smatch match;
    if (!std::regex_search(text, match, std::regex(pattern))) {
        return "";
    }
    return match[1];
}

helpgen::HelpProject Project(const std::string& source, const std::string& header = "") {
    std::vector<std::string> errors;
    auto project = Parse(source, header, errors);
    EXPECT_EQ(errors, std::vector<std::string>{});
    return project;
}

TEST(HtmlHelpTest, OnePagePerTopicWithItsTextLinksAndLists) {
    const auto files =
        Build(Project("topic first\ntitle First & <best>\n"
                      "Text with *bold* and a {jump to \"second\"|second}.\n"
                      "- One\n- {Two|first}\nAfter.\n"
                      "topic second\ntitle Second\nBack to the {first|first} <topic> & more.\n"));
    const std::string& first = files.at("first.html");
    EXPECT_NE(first.find("<title>First &amp; &lt;best&gt;</title>"), std::string::npos);
    EXPECT_NE(first.find("<h1>First &amp; &lt;best&gt;</h1>"), std::string::npos);
    EXPECT_NE(first.find("<p>Text with <b>bold</b> and a <a href=\"second.html\">jump to "
                         "&quot;second&quot;</a>.</p>"),
              std::string::npos)
        << first;
    EXPECT_NE(first.find("<ul>\n<li>One</li>\n<li><a href=\"first.html\">Two</a></li>\n</ul>\n"
                         "<p>After.</p>"),
              std::string::npos)
        << first;
    EXPECT_NE(files.at("second.html")
                  .find("<a href=\"first.html\">first</a> &lt;topic&gt; &amp; "
                        "more."),
              std::string::npos);
}

TEST(HtmlHelpTest, TheProjectMapsEveryIdToItsTopicsPage) {
    std::string source, header;
    ASSERT_TRUE(ReadTextFile(SourceTreePath("tests/helpgen/sample_help.txt"), source));
    ASSERT_TRUE(ReadTextFile(SourceTreePath("tests/helpgen/sample_resource.h"), header));
    const auto project = Project(source, header);
    const auto files = Build(project);
    const auto sections = Sections(files.at("perch.hhp"));

    const auto& options = sections.at("OPTIONS");
    auto has_option = [&](const std::string& line) {
        return std::find(options.begin(), options.end(), line) != options.end();
    };
    EXPECT_TRUE(has_option("Compiled file=perch.chm"));
    EXPECT_TRUE(has_option("Contents file=perch.hhc"));
    EXPECT_TRUE(has_option("Default topic=sample_contents.html"));
    EXPECT_TRUE(has_option("Title=Test Help"));

    // [FILES] is every page there is, and every page is in [FILES].
    std::set<std::string> listed(sections.at("FILES").begin(), sections.at("FILES").end());
    std::set<std::string> pages;
    for (const auto& [name, content] : files) {
        if (name.size() > 5 && name.substr(name.size() - 5) == ".html") {
            pages.insert(name);
        }
    }
    EXPECT_EQ(listed, pages);

    // [MAP] id -> alias, [ALIAS] alias -> page, and that page leads to the id's topic.
    std::map<std::string, std::string> alias_page;
    for (const std::string& line : sections.at("ALIAS")) {
        const auto equals = line.find('=');
        ASSERT_NE(equals, std::string::npos) << line;
        EXPECT_TRUE(alias_page.emplace(line.substr(0, equals), line.substr(equals + 1)).second)
            << line;
    }
    std::map<std::uint32_t, std::string> id_topic;
    for (const auto& topic : project.topics) {
        for (const auto& id : topic.ids) {
            id_topic[id.value] = topic.context;
        }
    }
    std::set<std::uint32_t> mapped;
    for (const std::string& line : sections.at("MAP")) {
        std::istringstream words(line);
        std::string define, alias, number;
        words >> define >> alias >> number;
        EXPECT_EQ(define, "#define");
        const std::uint32_t id = static_cast<std::uint32_t>(std::stoul(number, nullptr, 0));
        mapped.insert(id);
        ASSERT_TRUE(id_topic.count(id)) << line;
        ASSERT_TRUE(alias_page.count(alias)) << alias << " has no [ALIAS] line";
        const std::string& page = files.at(alias_page.at(alias));
        const std::string target = id_topic.at(id) + ".html";
        EXPECT_EQ(Capture(page, "http-equiv=\"refresh\" content=\"0; url=([^\"]*)\""), target);
        EXPECT_EQ(Capture(page, "location.replace\\(\"([^\"]*)\"\\)"), target);
        // ... and that page is the topic's, with its title.
        EXPECT_EQ(Capture(files.at(target), "<title>([^<]*)</title>"),
                  project.FindTopic(id_topic.at(id))->title);
    }
    EXPECT_EQ(mapped.size(), id_topic.size());
    EXPECT_EQ(alias_page.size(), id_topic.size());
    // Aliases follow the resource header's names where there is one.
    EXPECT_EQ(alias_page.at("HIDR_MAINFRAME"), helpgen::IdPageName(0x20002));
    EXPECT_EQ(alias_page.at("HID_APP_ABOUT"), helpgen::IdPageName(0x1E140));
    EXPECT_EQ(alias_page.at("HID_00001234"), helpgen::IdPageName(0x1234));
}

TEST(HtmlHelpTest, TheContentsListTheTopicsInOrder) {
    const auto project = Project("topic b\ntitle Bee \"quoted\"\ntopic a\ntitle Ay\n");
    const std::string hhc = Build(project).at("perch.hhc");
    const std::regex item(
        "<param name=\"Name\" value=\"([^\"]*)\">\\s*"
        "<param name=\"Local\" value=\"([^\"]*)\">");
    std::vector<std::pair<std::string, std::string>> found;
    for (auto it = std::sregex_iterator(hhc.begin(), hhc.end(), item); it != std::sregex_iterator();
         ++it) {
        found.emplace_back((*it)[1], (*it)[2]);
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Bee &quot;quoted&quot;", "b.html"}, {"Ay", "a.html"}};
    EXPECT_EQ(found, expected);
}

TEST(HtmlHelpTest, AnIdPageMayNotTakeATopicsName) {
    const auto project = Project("topic hid_00000007 7\ntitle Seven\n");
    EXPECT_THROW(helpgen::BuildHtmlHelp(project, "perch"), std::runtime_error);
}

TEST(HtmlHelpTest, WritesTheFilesIntoAFolderItMakes) {
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("helpgen_html_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(folder);
    const auto project = Project("topic a 5\ntitle A\nText.\n");
    const auto files = helpgen::BuildHtmlHelp(project, "perch");
    helpgen::WriteFiles(folder / "html", files);
    for (const auto& file : files) {
        std::string content;
        ASSERT_TRUE(ReadTextFile((folder / "html" / file.name).string(), content)) << file.name;
        EXPECT_EQ(content, file.content);
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace helpgen_test
