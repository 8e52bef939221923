// The editor's command line: `velmora-mapper [FILE]`, with --help and
// --version. It is read before the application object exists, so that help,
// version and usage errors need no display and open no window.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace velmora {

struct EditorArguments {
    enum class Action { Run, Help, Version, Usage };
    Action What = Action::Run;
    // The map to open once the editor has started.
    std::optional<std::string> File;
    // For Usage: what is wrong, in the program's words.
    std::string Complaint;
};

// The arguments without the program's own name. "--" ends the options, so a
// file whose name starts with '-' can be given after it.
EditorArguments ParseEditorArguments(std::span<const char* const> arguments);

// What --help prints, and what --version prints.
std::string EditorHelpText();
std::string EditorVersionText();

}  // namespace velmora
