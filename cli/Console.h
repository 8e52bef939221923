// Where a subcommand writes: its answer to standard output, its complaints to
// standard error, and the exit statuses every subcommand shares.
#pragma once

#include <ostream>

namespace velmora {

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
};

}  // namespace velmora
