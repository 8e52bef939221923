// Each subcommand's --help and its section of the manual page name the same
// options, so that neither falls behind when an option is added.
#include "MapToolFixture.h"

#include <gmock/gmock.h>

#include <regex>
#include <set>

namespace velmora {
namespace {

using Options = std::set<std::string>;

// The options that head a line of the help's option list ("  -f, --format=F").
Options HelpOptions(const std::string& help) {
    static const std::regex kOptionLine(R"(\n {2,6}((-[a-z]), )?(--[a-z][a-z-]*))");
    Options options;
    for (std::sregex_iterator it(help.begin(), help.end(), kOptionLine), end; it != end; ++it) {
        options.insert((*it)[3]);
        if ((*it)[2].matched) {
            options.insert((*it)[2]);
        }
    }
    options.erase("--help");
    options.erase("-h");
    return options;
}

// Every long option the section names anywhere, "\-\-format" read as
// "--format"; the page's troff escapes a minus as "\-".
Options ManualOptions(const std::string& section) {
    const std::string text = std::regex_replace(section, std::regex(R"(\\-)"), "-");
    static const std::regex kLongOption(R"(--[a-z][a-z-]*[a-z])");
    Options options;
    for (std::sregex_iterator it(text.begin(), text.end(), kLongOption), end; it != end; ++it) {
        options.insert(it->str());
    }
    return options;
}

// The text from the subcommand's .SS heading to the next heading.
std::string ManualSection(const std::string& page, const std::string& subcommand) {
    const std::size_t start = page.find("\n.SS \"" + subcommand + " ");
    if (start == std::string::npos) {
        return {};
    }
    const std::size_t end = page.find("\n.S", start + 1);
    return page.substr(start, end - start);
}

TEST_F(MapToolTest, EverySubcommandsHelpAndManualSectionNameTheSameOptions) {
    const std::string page = ReadText(VELMORA_MAP_MANUAL);
    for (const char* name :
         {"info", "render", "diff", "export", "import", "thumbnail", "publish", "log", "merge",
          "setup-git", "conflicts", "resolve", "edit", "check", "stats"}) {
        const std::string section = ManualSection(page, name);
        ASSERT_FALSE(section.empty()) << name << " has no section in the manual page";
        const Options help = HelpOptions(Run({name, "--help"}).Out);
        const Options manual = ManualOptions(section);
        for (const std::string& option : help) {
            const bool isShort = option.size() == 2;
            const std::string escaped = std::regex_replace(option, std::regex("-"), "\\-");
            EXPECT_TRUE(isShort ? section.find(escaped) != std::string::npos
                                : manual.contains(option))
                << name << " --help names " << option << ", its manual section does not";
        }
        for (const std::string& option : manual) {
            EXPECT_TRUE(help.contains(option))
                << name << "'s manual section names " << option << ", its --help does not";
        }
    }
}

}  // namespace
}  // namespace velmora
