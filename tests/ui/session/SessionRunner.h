// Runs sessions: a seeded one that the generator makes up step by step, or a
// given list replayed from a fresh editor; and shrinks a failing list to the
// shortest one found that still fails the same way, for a regression test.
#pragma once

#include "SessionSteps.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmora::session {

struct Failure {
    int StepIndex = 0;  // into the steps taken, from 0
    std::string Check;  // the first comparison that failed: what kind of failure it is
    std::string Details;
};

// Deep states a session reached; they show that the weights lead somewhere.
struct Reached {
    bool StarportPalette = false;  // the palette open in the starport set
    bool VariantChosen = false;    // an item chosen from a variant menu
    bool OverviewAtEnd = false;    // the overview shown at an end of a scroll range
    bool SavedMap = false;         // a map saved
    bool FailedSave = false;       // a save that failed
    bool ReopenedSave = false;     // a map opened that the session had saved
    bool RefusedSlot = false;      // a palette slot that placed nothing
    bool ForeignTileSet = false;   // a tile set no menu item stands for
    bool Exited = false;           // the program ended by "Exit"
    bool GivenMap = false;         // a map opened from the command line or a drop
};

struct SessionResult {
    std::vector<Step> Taken;  // the steps taken, up to and with a failing one
    int Skipped = 0;          // steps of a replayed list that could not be taken
    std::optional<Failure> FirstFailure;
    Reached Milestones;
};

SessionResult RunSeed(std::uint64_t seed, int length);
SessionResult RunSteps(std::span<const Step> steps);

struct Shrunk {
    std::vector<Step> Steps;
    Failure Cause;
    int Replays = 0;
};

// Delta debugging: removes chunks of steps, then single steps, replaying each
// candidate from a fresh editor, while it still fails the same check; stops
// at the deadline with the shortest list found so far.
Shrunk Shrink(std::vector<Step> steps, const Failure& failure,
              std::chrono::steady_clock::time_point deadline);

}  // namespace velmora::session
