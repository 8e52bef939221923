// What the save loop and the kill test agree on: the two maps that are saved
// in turn, the steps of one save, and the shared page through which the loop
// shows which step it is in when it is killed.
#pragma once

#include "core/document/MapGrid.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class SaveLoopMap : std::uint8_t { A, B };

constexpr SaveLoopMap OtherMap(const SaveLoopMap map) {
    return map == SaveLoopMap::A ? SaveLoopMap::B : SaveLoopMap::A;
}
constexpr char LetterOf(const SaveLoopMap map) {
    return map == SaveLoopMap::A ? 'a' : 'b';
}

// Every cell's code depends on its position, so that a file pieced together
// from parts of both maps, or with a part shifted, matches neither.
MapGrid GridOf(SaveLoopMap map);
std::int32_t TileSetOf(SaveLoopMap map);
// The complete file the editor writes for the map.
std::vector<std::uint8_t> FileOf(SaveLoopMap map);

// In the order the editor's Save Map goes through them.
enum class SavePhase : std::uint32_t {
    SettingUp,
    CreatingTemporaryFile,
    Encoding,
    Writing,
    Committing,  // flush to disk, close, rename over the target, flush the folder
    Saved,
};
inline constexpr std::array<std::string_view, 6> kSavePhaseNames{
    "setting up", "creating the temporary file", "encoding", "writing", "committing", "saved"};

// Lives in a file both processes map; the loop writes it, the test reads it
// after the kill.
struct SaveLoopPage {
    std::atomic<std::uint32_t> Phase;
    std::atomic<std::uint32_t> SavesDone;
};
static_assert(std::atomic<std::uint32_t>::is_always_lock_free);

// Written to standard output once the loop is about to start its first save.
inline constexpr char kReadyByte = 'R';

// The name SafeFileWriter gives its temporary files for a target: a dot, the
// target's name, a dot and six characters.
bool IsTemporaryFileOf(std::string_view candidate, std::string_view targetName);

}  // namespace velmora
