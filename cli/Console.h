// Where a subcommand writes: its answer to standard output, its complaints to
// standard error, each prefixed by the program's name in one place, and the
// exit statuses every subcommand shares.
#pragma once

#include <ostream>
#include <string_view>

namespace velmora {

inline constexpr std::string_view kProgramName = "velmora-map";

// 0 for success, 1 when the subcommand's own answer is "no" or "problems
// found" (as diff and grep use it), 2 for unreadable input, bad arguments or
// a failed write.
enum ExitStatus : int {
    kExitSuccess = 0,
    kExitAnswerNo = 1,
    kExitTrouble = 2,
};

struct Console {
    std::ostream& Out;
    std::ostream& Err;
    // Whether Out is a terminal, where binary output must not go. Set by
    // main(); tests hand in streams.
    bool OutIsTerminal = false;

    // "velmora-map: FILE: warning: text": something about the input that the
    // output may show, such as a map cut short.
    void Warn(std::string_view file, std::string_view text) const;
    // "velmora-map: FILE: note: text": what the user should know of the
    // output, such as a file left as it was.
    void Note(std::string_view file, std::string_view text) const;
    // "velmora-map: FILE: text": why the command failed for that file.
    void Complain(std::string_view file, std::string_view text) const;
};

}  // namespace velmora
