// What is compared after every step: the windows and the document against
// the model, and what must hold whatever the model says (the main window is
// enabled exactly when no other window is in front; only placing, New Map and
// Open Map write the grid). Each comparison is cheap enough for thousands of
// steps a minute: the grid is compared as a block, the overview by a few
// pixels of each cell, the files only after steps that saved.
#pragma once

#include "SessionModel.h"
#include "SessionSteps.h"

#include <string>
#include <vector>

namespace velmora::session {

class EditorDriver;
class ScratchFolder;

struct Mismatch {
    std::string Check;  // which comparison failed: the kind of the failure
    std::string Detail;
};

std::vector<Mismatch> CompareWithModel(EditorDriver& driver, const SessionModel& model,
                                       const StepOutcome& outcome, const Step& step,
                                       const ScratchFolder& scratch);

}  // namespace velmora::session
