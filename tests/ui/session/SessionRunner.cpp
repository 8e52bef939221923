// One session is a scratch folder, a started editor and a model started with
// it; each step goes to both, then the two are compared.
#include "SessionRunner.h"

#include "EditorDriver.h"
#include "ScratchFolder.h"
#include "SessionChecks.h"
#include "SessionModel.h"
#include "StepGenerator.h"

#include <QCoreApplication>

#include <gtest/gtest-spi.h>

#include <algorithm>
#include <exception>

namespace velmora::session {
namespace {

class Session {
public:
    Session() : driver_(scratch_), model_(scratch_) {}

    const SessionModel& Model() const { return model_; }
    const Reached& Milestones() const { return reached_; }

    // Takes the step in the editor and the model and compares them. A failed
    // expectation of the test's own helpers (an unexpected question) counts
    // as a mismatch of the step too.
    std::optional<Failure> Take(const Step& step, int index) {
        const int reportedBefore = reported_.size();
        std::vector<Mismatch> mismatches;
        try {
            driver_.Prepare(step);
            const StepOutcome outcome = model_.Take(step);
            driver_.Take(step);
            Note(outcome);
            mismatches = CompareWithModel(driver_, model_, outcome, step, scratch_);
        } catch (const std::exception& error) {
            mismatches.push_back({"exception", error.what()});
        }
        for (int i = reportedBefore; i < reported_.size(); ++i) {
            mismatches.push_back({"test expectation", reported_.GetTestPartResult(i).message()});
        }
        if (mismatches.empty()) {
            return std::nullopt;
        }
        Failure failure{index, mismatches.front().Check, {}};
        for (const Mismatch& mismatch : mismatches) {
            failure.Details += "\n  " + mismatch.Check + ": " + mismatch.Detail;
        }
        return failure;
    }

private:
    void Note(const StepOutcome& outcome) {
        const ModelState& state = model_.State();
        const ScreenLayoutValues& layout = LayoutValues(state.Layout);
        reached_.StarportPalette |= state.Window == Shown::Palette && state.TileSet == 4;
        reached_.VariantChosen |= outcome.VariantChosen;
        reached_.OverviewAtEnd |=
            state.OverviewShown &&
            (state.OH == 1 || state.OV == 1 || state.OH == layout.OverviewScrollHorizontal.Max ||
             state.OV == layout.OverviewScrollVertical.Max);
        for (const SaveAttempt& save : outcome.Saves) {
            (save.Succeeded ? reached_.SavedMap : reached_.FailedSave) = true;
        }
        reached_.ReopenedSave |= outcome.ReopenedSave;
        reached_.RefusedSlot |= outcome.RefusedSlot;
        reached_.ForeignTileSet |= state.TileSet < 0 || state.TileSet > 4;
        reached_.Exited |= state.Ended;
        reached_.GivenMap |= outcome.GivenMap;
    }

    // Failures the test's helpers report land here instead of failing the
    // test, so that shrinking can replay failing lists quietly.
    testing::TestPartResultArray reported_;
    testing::ScopedFakeTestPartResultReporter interceptor_{
        testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &reported_};
    ScratchFolder scratch_;
    EditorDriver driver_;
    SessionModel model_;
    Reached reached_;
};

// The windows of a finished session leave events queued with the window
// system; they are delivered between sessions, never during one.
void SettleBetweenSessions() {
    QCoreApplication::processEvents();
}

}  // namespace

SessionResult RunSeed(std::uint64_t seed, int length) {
    SessionResult result;
    {
        Session session;
        StepGenerator generator(seed);
        // A program that ended is started again with a map file.
        for (int index = 0; index < length && !result.FirstFailure; ++index) {
            const Step step = generator.Next(session.Model());
            result.Taken.push_back(step);
            if (!session.Model().CanTake(step)) {
                result.FirstFailure =
                    Failure{index, "generator", "\n  a step no map maker can take"};
                break;
            }
            result.FirstFailure = session.Take(step, index);
        }
        result.Milestones = session.Milestones();
    }
    SettleBetweenSessions();
    return result;
}

SessionResult RunSteps(std::span<const Step> steps) {
    SessionResult result;
    {
        Session session;
        for (const Step& step : steps) {
            if (!session.Model().CanTake(step)) {
                ++result.Skipped;
                continue;
            }
            result.Taken.push_back(step);
            result.FirstFailure = session.Take(step, static_cast<int>(result.Taken.size()) - 1);
            if (result.FirstFailure) {
                break;
            }
        }
        result.Milestones = session.Milestones();
    }
    SettleBetweenSessions();
    return result;
}

Shrunk Shrink(std::vector<Step> steps, const Failure& failure,
              std::chrono::steady_clock::time_point deadline) {
    Shrunk shrunk{std::move(steps), failure, 0};
    // A candidate that fails the same check replaces the list by the steps it
    // took up to its failure: skipped and trailing steps drop out with it.
    const auto stillFails = [&shrunk](const std::vector<Step>& candidate) {
        ++shrunk.Replays;
        SessionResult result = RunSteps(candidate);
        if (!result.FirstFailure || result.FirstFailure->Check != shrunk.Cause.Check) {
            return false;
        }
        shrunk.Steps = std::move(result.Taken);
        shrunk.Cause = *result.FirstFailure;
        return true;
    };
    std::size_t chunks = 2;
    while (shrunk.Steps.size() >= 2 && std::chrono::steady_clock::now() < deadline) {
        const std::size_t size = (shrunk.Steps.size() + chunks - 1) / chunks;
        bool removed = false;
        for (std::size_t start = 0;
             start < shrunk.Steps.size() && !removed && std::chrono::steady_clock::now() < deadline;
             start += size) {
            std::vector<Step> candidate = shrunk.Steps;
            candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(start),
                            candidate.begin() + static_cast<std::ptrdiff_t>(
                                                    std::min(start + size, candidate.size())));
            removed = stillFails(candidate);
        }
        if (removed) {
            chunks = std::max<std::size_t>(chunks - 1, 2);
        } else if (chunks >= shrunk.Steps.size()) {
            break;
        } else {
            chunks = std::min(chunks * 2, shrunk.Steps.size());
        }
    }
    return shrunk;
}

}  // namespace velmora::session
