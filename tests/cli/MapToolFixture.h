// What every velmora-map test needs: a scratch folder, map files written into
// it, the program run either in-process (output captured) or as the
// installed executable would run, with an empty environment, and git in the
// scratch folder.
#pragma once

#include "cli/Console.h"
#include "cli/VelmoraMap.h"
#include "core/document/MapFile.h"
#include "core/document/MapGrid.h"
#include "core/document/Version.h"
#include "tests/support/WholeFiles.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace velmora {

struct RunResult {
    int Status = -1;
    std::string Out;
    std::string Err;
};

class MapToolTest : public testing::Test {
protected:
    // A path in the scratch folder.
    std::string PathOf(const std::string& name) const {
        return folder_.filePath(QString::fromStdString(name)).toStdString();
    }

    // Writes a map file as the editor saves it and returns its path; keepBytes
    // cuts the file short, extraBytes appends that many zero bytes.
    std::string WriteMap(const std::string& name, const MapGrid& grid, std::int32_t tileSet,
                         VersionTriple version = kProgramVersion,
                         std::size_t keepBytes = kMapFileBytes, std::size_t extraBytes = 0) const {
        std::vector<std::uint8_t> bytes = WriteMapFile(grid, tileSet, version);
        bytes.resize(keepBytes);
        bytes.resize(bytes.size() + extraBytes, 0);
        return WriteBytes(name, bytes);
    }

    std::string WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        const std::string path = PathOf(name);
        testing_files::WriteWholeFile(path, bytes);
        return path;
    }
    std::string WriteText(const std::string& name, const std::string& text) const {
        return WriteBytes(name, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    static std::vector<std::uint8_t> ReadBytes(const std::string& path) {
        return testing_files::ReadWholeFile(path);
    }
    static std::string ReadText(const std::string& path) {
        return testing_files::ReadWholeText(path);
    }

    // Runs the program in this process; arguments exclude the program's name.
    // outIsTerminal: as if standard output were a terminal.
    static RunResult Run(const QStringList& arguments, const bool outIsTerminal = false) {
        std::ostringstream out;
        std::ostringstream err;
        Console console{out, err, outIsTerminal};
        RunResult result;
        result.Status = RunVelmoraMap(arguments, console);
        result.Out = out.str();
        result.Err = err.str();
        return result;
    }

    // Runs the built executable with no environment at all: no display, no
    // QT_QPA_PLATFORM, no HOME.
    // standardInput is written to the program's standard input, which is
    // then closed.
    RunResult RunProgram(const QStringList& arguments,
                         const std::vector<std::uint8_t>& standardInput = {}) const {
        QProcess process;
        process.setProcessEnvironment(QProcessEnvironment());
        process.setWorkingDirectory(folder_.path());
        process.start(QStringLiteral(VELMORA_MAP_EXECUTABLE), arguments);
        process.write(reinterpret_cast<const char*>(standardInput.data()),
                      static_cast<qint64>(standardInput.size()));
        process.closeWriteChannel();
        process.waitForFinished(60'000);
        RunResult result;
        result.Status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.Out = process.readAllStandardOutput().toStdString();
        result.Err = process.readAllStandardError().toStdString();
        return result;
    }

    static QString Q(const std::string& text) { return QString::fromStdString(text); }

    // Makes the scratch folder a git repository on branch main whose commits
    // Ann Maker writes; false when git is not installed.
    bool MakeGitRepository() const {
        if (QStandardPaths::findExecutable("git").isEmpty()) {
            return false;
        }
        Git({"init", "-q", "-b", "main"});
        Git({"config", "user.name", "Ann Maker"});
        Git({"config", "user.email", "ann@velmora.invalid"});
        return true;
    }

    // Runs git in the scratch folder, away from the user's and the system's
    // settings and hooks, expecting its exit status; returns its standard
    // output.
    std::string Git(const QStringList& arguments, const int expectedStatus = 0) const {
        QProcess process;
        QProcessEnvironment environment;
        environment.insert("PATH", qEnvironmentVariable("PATH", "/usr/bin:/bin"));
        environment.insert("HOME", Q(PathOf("")));
        environment.insert("GIT_CONFIG_NOSYSTEM", "1");
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(Q(PathOf("")));
        process.start(QStandardPaths::findExecutable("git"),
                      QStringList{"-c", "core.hooksPath=/dev/null"} + arguments);
        process.waitForFinished(60'000);
        EXPECT_EQ(process.exitCode(), expectedStatus)
            << arguments.join(' ').toStdString() << ": "
            << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput().toStdString();
    }

private:
    QTemporaryDir folder_;
};

}  // namespace velmora
