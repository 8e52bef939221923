// Chooses a map maker's next step from what the editor shows now. The weights
// lead sessions into deep states: the palette open in the starport set with
// its variant menus, the overview scrolled to its ends, modified maps saved,
// damaged and foreign files opened, and saved maps opened again.
#pragma once

#include "SessionRandom.h"
#include "SessionSteps.h"

#include <cstdint>

namespace velmora::session {

class SessionModel;

class StepGenerator {
public:
    explicit StepGenerator(std::uint64_t seed) : random_(seed) {}

    // A step the model says the map maker can take now.
    Step Next(const SessionModel& model);

private:
    Step MainWindowStep(const SessionModel& model);
    Step PaletteStep(const SessionModel& model);
    Step NewMapStep(const SessionModel& model);
    Step CreditsStep(const SessionModel& model);
    // The pointer over the main window while another window is in front.
    Step PokeAtMainWindow(const SessionModel& model);

    int ViewCell(const SessionModel& model);
    int PointedViewCell(const SessionModel& model);
    int Slot(const SessionModel& model);
    Step Scroll(StepKind kind, int horizontalMax, int verticalMax);
    Step Wheel(StepKind kind, int number = 0);
    Step KeyStep(StepKind kind);
    Step WheelOverBar(const SessionModel& model);
    Step FileStep(StepKind kind);
    Step StartStep();
    Step DropStep();
    // A map file given on the command line or dropped: mostly a generated one.
    OpenSource GivenFile(GeneratedMap& file);
    GeneratedMap GeneratedFile();

    Random random_;
};

}  // namespace velmora::session
