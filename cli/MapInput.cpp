// Loading a map file through the editor's own reader.
#include "cli/MapInput.h"

#include "cli/CommandErrors.h"

#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace velmora {

std::unique_ptr<InputFile> OpenInput(const std::string& path) {
    try {
        if (path != kStandardInputName) {
            return std::make_unique<InputFile>(path, InputKinds::FilesAndPipes);
        }
        if (isatty(STDIN_FILENO) == 1) {
            throw FileError(path,
                            "standard input is a terminal; pipe a map into it or name a file");
        }
        struct stat st {};
        if (::fstat(STDIN_FILENO, &st) == 0 && !S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode)) {
            throw FileError(path, "standard input is neither a file nor a pipe");
        }
        return std::make_unique<InputFile>(InputFile::kStandardInput);
    } catch (const FileError&) {
        throw;
    } catch (const UserError& error) {
        throw InputFileError(path, error);
    }
}

LoadedMap LoadMap(const std::string& path, const RowSink& onRow) {
    const std::unique_ptr<InputFile> file = OpenInput(path);
    LoadedMap map;
    map.Path = path;
    map.Grid = std::make_unique<MapGrid>();
    std::int32_t tileSet = 0;
    std::size_t rowsRead = 0;
    const std::span<const TileCode> cells = std::as_const(*map.Grid).Cells();
    const RowProgress handRowOver = [&] { onRow(cells.subspan(rowsRead++ * kMapSide, kMapSide)); };
    static_cast<MapFileCondition&>(map) =
        LoadMapFile(*file, *map.Grid, tileSet, onRow ? handRowOver : RowProgress{});
    if (map.ReadError) {
        throw FileError(path, "cannot be read: " + *map.ReadError);
    }
    return map;
}

std::vector<std::uint8_t> ReadInputBytes(const std::string& path) {
    const std::unique_ptr<InputFile> file = OpenInput(path);
    // A pipe's length shows only as it is read: one map's worth at a time.
    std::vector<std::uint8_t> bytes(file->Size().value_or(kMapFileBytes) + 1);
    std::size_t done = 0;
    while (const std::size_t n = file->Read(std::span(bytes).subspan(done))) {
        done += n;
        if (done == bytes.size()) {
            bytes.resize(bytes.size() + kMapFileBytes);
        }
    }
    if (file->ReadError()) {
        throw FileError(path, "cannot be read: " + *file->ReadError());
    }
    bytes.resize(done);
    return bytes;
}

LoadedMap LoadMapFromBytes(const std::string& path, const std::span<const std::uint8_t> bytes) {
    LoadedMap map;
    map.Path = path;
    map.Grid = std::make_unique<MapGrid>();
    std::int32_t tileSet = 0;
    static_cast<MapFileCondition&>(map) = LoadMapBytes(bytes, *map.Grid, tileSet);
    return map;
}

void RefuseStandardInputTwice(const QStringList& paths) {
    if (paths.count(QString::fromStdString(kStandardInputName)) > 1) {
        throw UsageError("standard input ('-') can be read only once");
    }
}

}  // namespace velmora
