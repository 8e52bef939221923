// Safe output files.
#include "cli/OutputFile.h"

#include "cli/CommandErrors.h"
#include "core/document/FileAccess.h"

#include <algorithm>
#include <filesystem>

namespace velmora {

bool IsStandardOutput(const std::string& path) {
    return path == kStandardOutputName;
}

bool IsSameFile(const std::string& input, const std::string& output) {
    std::error_code missing;
    return !IsStandardOutput(output) && std::filesystem::equivalent(input, output, missing);
}

void RefuseOutputOverInput(const std::string& input, const std::string& output,
                           const std::string& inputName) {
    if (IsSameFile(input, output)) {
        throw UsageError("the output " + output + " is " + inputName +
                         " itself; name another output");
    }
}

void RefuseBinaryOnTerminal(const std::string& output, const std::string_view content,
                            const Console& console) {
    if (IsStandardOutput(output) && console.OutIsTerminal) {
        throw UsageError("will not write " + std::string(content) +
                         " to a terminal; name an output file or redirect standard output");
    }
}

void WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes, Console& console) {
    WriteOutput(
        path, [bytes](const ByteSink& sink) { sink(bytes); }, console);
}

void WriteOutput(const std::string& path, const OutputContent& write, Console& console) {
    if (IsStandardOutput(path)) {
        write([&console](const std::span<const std::uint8_t> piece) {
            console.Out.write(reinterpret_cast<const char*>(piece.data()),
                              static_cast<std::streamsize>(piece.size()));
        });
        console.Out.flush();
        if (!console.Out) {
            throw FileError(path, "cannot write to standard output");
        }
        return;
    }
    try {
        SafeFileWriter file(path);
        write([&file](const std::span<const std::uint8_t> piece) { file.Write(piece); });
        file.Commit();
    } catch (const UserError& error) {
        throw OutputFileError(path, error);
    }
}

void WriteMapOutput(const std::string& path, const MapGrid& grid, const std::int32_t tileSet,
                    const VersionTriple& version, Console& console, const std::size_t length) {
    WriteOutput(
        path,
        [&](const ByteSink& sink) {
            std::size_t left = length;
            WriteMapFile(grid, tileSet, version, [&](const std::span<const std::uint8_t> piece) {
                const std::span<const std::uint8_t> kept =
                    piece.first(std::min(left, piece.size()));
                left -= kept.size();
                if (!kept.empty()) {
                    sink(kept);
                }
            });
        },
        console);
}

void WriteOutput(const std::string& path, const QByteArray& bytes, Console& console) {
    WriteOutput(path,
                std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                          static_cast<std::size_t>(bytes.size())),
                console);
}

}  // namespace velmora
