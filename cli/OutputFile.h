// Writing a subcommand's output: to a file through the editor's safe save
// (temporary file, flush, rename), so an output is replaced only when it is
// complete, or to standard output for "-" where the format allows it.
#pragma once

#include "cli/Console.h"
#include "core/document/MapFile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

inline const std::string kStandardOutputName = "-";

bool IsStandardOutput(const std::string& path);

// Whether output names the very file input names, by any path or link; never
// for standard output or a file that does not exist yet.
bool IsSameFile(const std::string& input, const std::string& output);

// Throws UsageError when output names the input file, which writing the
// output would destroy; inputName says what the input is ("the map file").
void RefuseOutputOverInput(const std::string& input, const std::string& output,
                           const std::string& inputName);

// Throws UsageError when output is standard output on a terminal, which
// binary content such as a PNG picture or a map file would only garble;
// content names it in the message ("a PNG picture").
void RefuseBinaryOnTerminal(const std::string& output, std::string_view content,
                            const Console& console);

// Throws FileError naming the path when the file cannot be written; the old
// file, if any, is then untouched.
void WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes, Console& console);
void WriteOutput(const std::string& path, const QByteArray& bytes, Console& console);

// The same for content made piece by piece: write gives every piece to its
// sink, which passes it straight on, so no copy of the whole is kept.
using OutputContent = std::function<void(const ByteSink&)>;
void WriteOutput(const std::string& path, const OutputContent& write, Console& console);

// Writes a map file as the editor saves it, streamed. Only its first length
// bytes are written when a shorter file is kept as it was: a trailer that
// stored no version stays without one.
void WriteMapOutput(const std::string& path, const MapGrid& grid, std::int32_t tileSet,
                    const VersionTriple& version, Console& console,
                    std::size_t length = kMapFileBytes);

}  // namespace velmora
