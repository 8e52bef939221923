// The program's messages on standard error.
#include "cli/Console.h"

#include <string>

namespace velmora {

void Console::Warn(const std::string_view file, const std::string_view text) const {
    Complain(file, "warning: " + std::string(text));
}

void Console::Note(const std::string_view file, const std::string_view text) const {
    Complain(file, "note: " + std::string(text));
}

void Console::Complain(const std::string_view file, const std::string_view text) const {
    Err << kProgramName << ": " << file << ": " << text << "\n";
}

}  // namespace velmora
