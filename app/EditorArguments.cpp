// Reading the editor's command line by hand: two options and one operand need
// no parser, and Qt's would need the application object first.
#include "app/EditorArguments.h"

#include <string_view>

namespace velmora {

EditorArguments ParseEditorArguments(const std::span<const char* const> arguments) {
    EditorArguments parsed;
    bool optionsEnded = false;
    for (const char* const argument : arguments) {
        const std::string_view text(argument);
        if (!optionsEnded && text == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (text == "-h" || text == "--help")) {
            return EditorArguments{EditorArguments::Action::Help, {}, {}};
        } else if (!optionsEnded && text == "--version") {
            return EditorArguments{EditorArguments::Action::Version, {}, {}};
        } else if (!optionsEnded && text.size() > 1 && text.front() == '-') {
            return EditorArguments{
                EditorArguments::Action::Usage, {}, "unknown option '" + std::string(text) + "'"};
        } else if (parsed.File) {
            return EditorArguments{
                EditorArguments::Action::Usage,
                {},
                "extra operand '" + std::string(text) + "'; the editor opens one map"};
        } else {
            parsed.File = std::string(text);
        }
    }
    return parsed;
}

std::string EditorHelpText() {
    return R"(Usage: velmora-mapper [OPTION]... [FILE]
Edit the maps of the game world Velmora. With FILE, the editor starts and then
opens that map file, as Open Map opens the file chosen in its dialog.

Options:
  -h, --help     show this help and exit
      --version  show the program's version and exit
)";
}

std::string EditorVersionText() {
    return "velmora-mapper " VELMORA_VERSION "\n";
}

}  // namespace velmora
