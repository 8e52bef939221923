// A map file's condition in words: whether it is cut short, stores no tile
// set, ends inside its version, carries bytes after its end, names an unknown
// tile set or was written by a newer version, and what its codes tell: cells
// that hold the conflict mark of an unfinished merge or codes that name no
// tile. info lists these as problems, the other subcommands warn of them and
// the text for git shows the damage at its top, all in these same words.
#pragma once

#include "cli/Console.h"
#include "cli/MapInput.h"
#include "core/document/CodeCounts.h"
#include "core/document/Version.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// "3,992,020": thousands separated by commas.
std::string GroupedNumber(std::uint64_t value);

// "1 cell", "2,000 cells".
std::string CellCount(std::uint64_t count);

// True when the stored version is newer than this program's.
bool WrittenByNewerVersion(const MapFileCondition& map);

// "0.4.320", or "not stored".
std::string VersionText(const std::optional<VersionTriple>& version);

// One way in which a file is not the sound map the editor writes.
struct ConditionNote {
    enum class Kind {
        // Damage: the file is cut short or overlong.
        CutShort,
        NoTileSet,
        CutInsideVersion,
        BytesAfterEnd,
        // Doubts about what a whole file means.
        UnknownTileSet,
        NewerVersion,
    };
    Kind What = Kind::CutShort;
    std::string Text;

    bool IsDamage() const { return What < Kind::UnknownTileSet; }
};

// Every note that applies, damage first, one sentence each. A grid-only file
// lacks its version too, but that alone is an older map the editor opens as
// complete: not a note.
std::vector<ConditionNote> DescribeCondition(const MapFileCondition& map);

// The cells whose codes name no tile of a known tile set; 0 for an unknown
// one, whose own note says that no code names a tile. The conflict mark is
// left out: it is a merge to finish, not damage, and has a note of its own.
std::uint64_t NoTileCells(std::int32_t tileSet, std::span<const CodeCount> counts);

// "4 cells with codes that name no tile in 0 "Dungeon - VL"", or nothing
// when there are none.
std::optional<std::string> NoTileText(std::int32_t tileSet, std::uint64_t noTileCells);

// The cells that hold the conflict mark, whatever the tile set.
std::uint64_t MarkedCellCount(std::span<const CodeCount> counts);

// "12 cells hold the conflict mark of an unfinished merge (code
// -777777777)", or nothing when there are none.
std::optional<std::string> ConflictMarkText(std::uint64_t markedCells);

// The notes on a map's codes, from their counts: the conflict marks first,
// then the codes that name no tile (none without a tile set); empty when
// neither applies.
std::vector<std::string> CodeNotes(std::optional<std::int32_t> tileSet,
                                   std::span<const CodeCount> counts);

// The sentences of the damage notes alone.
std::vector<std::string> FileDamage(const MapFileCondition& map);

// What a subcommand does about a note, added to its warning after "; ", or
// nothing to add.
using ConditionAdvice = std::function<std::string(ConditionNote::Kind)>;

// The warnings of the file's damage, and of a doubt only where the
// subcommand has advice for it: a doubt that changes nothing in its output is
// not worth a line.
std::vector<std::string> ConditionWarnings(const MapFileCondition& map,
                                           const ConditionAdvice& advice = {});

// Prints the warnings on standard error, naming the map as given.
void WarnOfCondition(const Console& console, const LoadedMap& map,
                     const ConditionAdvice& advice = {});

// Throws FileError when the file holds not one whole cell: nothing to draw
// or convert, and no map at all.
void RefuseMapWithoutCells(const LoadedMap& map);

// The tile set a map is drawn with: the one chosen, else the file's, else,
// for a file that stores none, the dungeon set, as a freshly started editor
// opens it.
std::int32_t DrawingTileSet(const MapFileCondition& map, std::optional<int> chosen);

// What drawing does about a missing or unknown tile set. option names the
// subcommand's option for choosing one ("--tileset"), or is empty when it
// has none.
ConditionAdvice DrawingAdvice(const MapFileCondition& map, std::optional<int> chosen,
                              std::string_view option);

}  // namespace velmora
