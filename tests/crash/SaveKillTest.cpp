// Kills the save loop with SIGKILL at random moments spread over a save, many
// times, and checks after every kill that the target is the complete old map
// or the complete new one. Temporary files a kill leaves behind are counted
// and reported, not failed on: the promise is that the target is never damaged.
#include "core/document/FileAccess.h"
#include "core/document/MapFile.h"
#include "tests/crash/SaveLoopProtocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <span>
#include <spawn.h>
#include <string>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace velmora {
namespace {

namespace fs = std::filesystem;
using Micros = std::chrono::microseconds;
using namespace std::chrono_literals;

constexpr int kKills = 200;
constexpr int kFewestKills = 50;
constexpr auto kTimeBudget = 40s;

enum class TargetState { Missing, MapA, MapB, Damaged };

TargetState StateOf(const SaveLoopMap map) {
    return map == SaveLoopMap::A ? TargetState::MapA : TargetState::MapB;
}

std::string NameOf(const TargetState state) {
    switch (state) {
        case TargetState::Missing:
            return "missing";
        case TargetState::MapA:
            return "map A";
        case TargetState::MapB:
            return "map B";
        case TargetState::Damaged:
            break;
    }
    return "damaged";
}

// How long each step of a save takes, from the loop's --measure mode: the
// middle value of three saves for each step.
struct SaveTimes {
    Micros Create{};
    Micros Encode{};
    Micros Write{};
    Micros Commit{};

    Micros BeforeCommit() const { return Create + Encode + Write; }
    Micros Total() const { return BeforeCommit() + Commit; }
};

std::optional<SaveTimes> MeasureSave(const fs::path& target) {
    const std::string command = "'" VELMORA_SAVE_LOOP "' --measure '" + target.string() + "'";
    FILE* const out = ::popen(command.c_str(), "r");
    if (out == nullptr) {
        return std::nullopt;
    }
    std::array<std::vector<long long>, 4> steps;
    std::array<long long, 4> line{};
    while (std::fscanf(out, "%lld %lld %lld %lld", &line[0], &line[1], &line[2], &line[3]) == 4) {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            steps[i].push_back(line[i]);
        }
    }
    if (::pclose(out) != 0 || steps[0].size() != 3) {
        return std::nullopt;
    }
    std::array<Micros, 4> middle{};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        std::sort(steps[i].begin(), steps[i].end());
        middle[i] = Micros(steps[i][1]);
    }
    return SaveTimes{middle[0], middle[1], middle[2], middle[3]};
}

// A running save loop whose standard output is a pipe to the test.
class SaveLoopProcess {
public:
    SaveLoopProcess(const fs::path& target, const fs::path& page, const SaveLoopMap first,
                    const std::optional<int> saves = std::nullopt) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return;
        }
        readEnd_ = fds[0];
        const std::string targetArg = target.string();
        const std::string pageArg = page.string();
        const std::string firstArg(1, LetterOf(first));
        const std::string savesArg = saves ? std::to_string(*saves) : std::string();
        std::vector<char*> argv{
            const_cast<char*>(VELMORA_SAVE_LOOP), const_cast<char*>(targetArg.c_str()),
            const_cast<char*>(pageArg.c_str()), const_cast<char*>(firstArg.c_str())};
        if (saves) {
            argv.push_back(const_cast<char*>(savesArg.c_str()));
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        if (posix_spawn(&pid_, VELMORA_SAVE_LOOP, &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
    }

    ~SaveLoopProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            Wait();
        }
        if (readEnd_ >= 0) {
            ::close(readEnd_);
        }
    }

    SaveLoopProcess(const SaveLoopProcess&) = delete;
    SaveLoopProcess& operator=(const SaveLoopProcess&) = delete;

    // True once the loop has set up and is about to start its first save.
    bool WaitUntilReady() const {
        char byte = 0;
        ssize_t n;
        do {
            n = ::read(readEnd_, &byte, 1);
        } while (n < 0 && errno == EINTR);
        return pid_ > 0 && n == 1 && byte == kReadyByte;
    }

    int KillAndWait() {
        ::kill(pid_, SIGKILL);
        return Wait();
    }

    int Wait() {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        return status;
    }

private:
    pid_t pid_ = -1;
    int readEnd_ = -1;
};

class KillingSaves : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::current_path() / "save-kill-work" /
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        target_ = folder_ / "kill-test.map";
        pagePath_ = folder_ / "page";

        const int fd = ::open(pagePath_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, sizeof(SaveLoopPage)), 0);
        void* const mapped =
            ::mmap(nullptr, sizeof(SaveLoopPage), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        ::close(fd);
        ASSERT_NE(mapped, MAP_FAILED);
        page_ = static_cast<SaveLoopPage*>(mapped);

        files_[0] = FileOf(SaveLoopMap::A);
        files_[1] = FileOf(SaveLoopMap::B);
    }

    void TearDown() override {
        if (page_ != nullptr) {
            ::munmap(page_, sizeof(SaveLoopPage));
        }
        if (!HasFailure()) {
            fs::remove_all(folder_);
        }
    }

    TargetState ReadTarget() const {
        if (!fs::exists(target_)) {
            return TargetState::Missing;
        }
        InputFile file(target_.string());
        // One byte more than a map file, so that a longer file is seen as such.
        std::vector<std::uint8_t> bytes(kMapFileBytes + 1);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t n = file.Read(std::span(bytes).subspan(done));
            if (n == 0) {
                break;
            }
            done += n;
        }
        bytes.resize(done);
        for (const SaveLoopMap map : {SaveLoopMap::A, SaveLoopMap::B}) {
            if (bytes == files_[static_cast<std::size_t>(map)]) {
                return StateOf(map);
            }
        }
        return TargetState::Damaged;
    }

    std::vector<fs::path> Leftovers() const {
        std::vector<fs::path> found;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
            if (IsTemporaryFileOf(entry.path().filename().string(), target_.filename().string())) {
                found.push_back(entry.path());
            }
        }
        return found;
    }

    void SaveToTheEnd(const SaveLoopMap first, const int saves) {
        SaveLoopProcess loop(target_, pagePath_, first, saves);
        ASSERT_TRUE(loop.WaitUntilReady());
        const int status = loop.Wait();
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }

    // A random moment: two kills in three anywhere in the first one and a half
    // saves, one in three inside the short commit, where flushing and the
    // rename happen.
    Micros PickDelay(std::mt19937& random) const {
        const auto pick = [&random](const Micros from, const Micros to) {
            std::uniform_int_distribution<long long> within(from.count(), to.count());
            return Micros(within(random));
        };
        if (random() % 3 != 0) {
            return pick(Micros(0), times_.Total() * 3 / 2);
        }
        const Micros slack = times_.Commit / 5 + Micros(50);
        return pick(std::max(Micros(0), times_.BeforeCommit() - slack), times_.Total() + slack);
    }

    struct KillRecord {
        int Kills = 0;
        std::array<int, kSavePhaseNames.size()> PerPhase{};
        int OldKept = 0;
        int NewSaved = 0;
        int LeftBehind = 0;  // temporary files found after the kills, counted once each
        std::size_t MostLeftovers = 0;
    };

    enum class Leftover { Keep, Remove };

    // Kills one loop that saves `next` over a target holding `old`; returns
    // what the target holds afterwards. Removing the temporary files a kill
    // leaves keeps a long run from filling the disk with four-megabyte files.
    TargetState KillOneSave(const TargetState old, const SaveLoopMap next, std::mt19937& random,
                            KillRecord& record, const Leftover leftover) {
        page_->Phase.store(static_cast<std::uint32_t>(SavePhase::SettingUp));
        const Micros delay = PickDelay(random);
        SaveLoopProcess loop(target_, pagePath_, next);
        EXPECT_TRUE(loop.WaitUntilReady());
        std::this_thread::sleep_for(delay);
        const int status = loop.KillAndWait();
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the loop ended by itself, status " << status;

        const std::uint32_t phase = page_->Phase.load();
        const TargetState now = ReadTarget();
        ++record.Kills;
        ++record.PerPhase[std::min<std::size_t>(phase, kSavePhaseNames.size() - 1)];
        record.OldKept += now == old ? 1 : 0;
        record.NewSaved += now == StateOf(next) ? 1 : 0;
        const std::vector<fs::path> leftovers = Leftovers();
        record.LeftBehind += static_cast<int>(leftovers.size()) - keptLeftovers_;
        record.MostLeftovers = std::max(record.MostLeftovers, leftovers.size());
        keptLeftovers_ = static_cast<int>(leftovers.size());
        if (leftover == Leftover::Remove) {
            for (const fs::path& path : leftovers) {
                fs::remove(path);
            }
            keptLeftovers_ = 0;
        }
        EXPECT_TRUE(now == old || now == TargetState::MapA || now == TargetState::MapB)
            << "kill " << record.Kills << " after " << delay.count() << " us while "
            << kSavePhaseNames[std::min<std::size_t>(phase, kSavePhaseNames.size() - 1)]
            << ": the target is " << NameOf(now) << ", it was " << NameOf(old);
        return now;
    }

    void Report(const KillRecord& record) const {
        std::cout << "[ kills    ] " << record.Kills << " kills; one save takes "
                  << times_.Total().count() << " us (commit " << times_.Commit.count()
                  << " us); killed while";
        for (std::size_t i = 0; i < kSavePhaseNames.size(); ++i) {
            std::cout << (i == 0 ? " " : ", ") << kSavePhaseNames[i] << ": " << record.PerPhase[i];
        }
        std::cout << "\n[ kills    ] old map kept " << record.OldKept << ", new map saved "
                  << record.NewSaved << "; kills that left a temporary file: " << record.LeftBehind
                  << " (most at once " << record.MostLeftovers << ")\n";
        ::testing::Test::RecordProperty("kills", record.Kills);
        ::testing::Test::RecordProperty(
            "kills_while_committing",
            record.PerPhase[static_cast<std::size_t>(SavePhase::Committing)]);
        ::testing::Test::RecordProperty("leftover_temporary_files", record.LeftBehind);
    }

    void MeasureTheSave() {
        const std::optional<SaveTimes> times = MeasureSave(folder_ / "measure.map");
        ASSERT_TRUE(times.has_value());
        times_ = *times;
        fs::remove(folder_ / "measure.map");
    }

    fs::path folder_;
    fs::path target_;
    fs::path pagePath_;
    SaveLoopPage* page_ = nullptr;
    std::array<std::vector<std::uint8_t>, 2> files_;
    SaveTimes times_;
    int keptLeftovers_ = 0;
};

TEST_F(KillingSaves, ASaveLoopLeftToFinishLeavesItsLastMapAndNoTemporaryFile) {
    SaveToTheEnd(SaveLoopMap::B, 3);
    EXPECT_EQ(ReadTarget(), TargetState::MapB);
    EXPECT_EQ(page_->SavesDone.load(), 3u);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(KillingSaves, AKilledSaveLeavesTheTargetTheCompleteOldOrTheCompleteNewMap) {
    ASSERT_NO_FATAL_FAILURE(MeasureTheSave());
    ASSERT_NO_FATAL_FAILURE(SaveToTheEnd(SaveLoopMap::A, 1));
    const std::random_device::result_type seed = std::random_device{}();
    SCOPED_TRACE("random seed " + std::to_string(seed));
    std::mt19937 random(seed);

    KillRecord record;
    TargetState held = ReadTarget();
    ASSERT_EQ(held, TargetState::MapA);
    const auto start = std::chrono::steady_clock::now();
    while (record.Kills < kKills && std::chrono::steady_clock::now() - start < kTimeBudget &&
           !HasFailure()) {
        const SaveLoopMap next = held == TargetState::MapA ? SaveLoopMap::B : SaveLoopMap::A;
        held = KillOneSave(held, next, random, record, Leftover::Remove);
    }
    Report(record);
    if (!HasFailure()) {
        EXPECT_GE(record.Kills, kFewestKills);
        // Both outcomes must occur, or the kills did not spread over the save.
        EXPECT_GT(record.OldKept, 0);
        EXPECT_GT(record.NewSaved, 0);
    }
}

TEST_F(KillingSaves, AKilledFirstSaveLeavesNoFileOrTheCompleteMap) {
    ASSERT_NO_FATAL_FAILURE(MeasureTheSave());
    std::mt19937 random(std::random_device{}());
    KillRecord record;
    for (int kill = 0; kill < kKills / 8 && !HasFailure(); ++kill) {
        fs::remove(target_);
        KillOneSave(TargetState::Missing, SaveLoopMap::A, random, record, Leftover::Keep);
    }
    Report(record);
    // Nothing removes what a killed save left, not even the saves that follow.
    EXPECT_EQ(static_cast<int>(Leftovers().size()), record.LeftBehind);
    EXPECT_GT(record.OldKept, 0);
    EXPECT_GT(record.NewSaved, 0);
}

}  // namespace
}  // namespace velmora
