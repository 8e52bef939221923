// Safe output files.
#include "cli/OutputFile.h"

#include "cli/CommandErrors.h"
#include "core/document/FileAccess.h"

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
    if (IsStandardOutput(path)) {
        console.Out.write(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<std::streamsize>(bytes.size()));
        console.Out.flush();
        if (!console.Out) {
            throw FileError(path, "cannot write to standard output");
        }
        return;
    }
    try {
        SafeFileWriter file(path);
        file.Write(bytes);
        file.Commit();
    } catch (const UserError& error) {
        throw OutputFileError(path, error);
    }
}

void WriteOutput(const std::string& path, const QByteArray& bytes, Console& console) {
    WriteOutput(path,
                std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                          static_cast<std::size_t>(bytes.size())),
                console);
}

}  // namespace velmora
