// git, run as a program in a folder: every subcommand that asks git anything
// (a map's history, the merge set-up, a merge's conflicts) runs it through
// here. git's messages are asked for in English (LC_ALL=C), so that a folder
// in no repository can be told from git failing in another way, whose
// message is then passed on as git wrote it.
#pragma once

#include "cli/CommandErrors.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <string>

namespace velmora {

class GitProgram {
public:
    // git started in folder; its failures are FileErrors naming subject, the
    // file as the user gave it. Throws FileError when git is not installed,
    // saying that whatFor ("its history cannot be read") cannot be done.
    GitProgram(const QString& folder, std::string subject, const std::string& whatFor);

    const std::string& Subject() const { return subject_; }
    const QString& Folder() const { return folder_; }

    // Starts git; the process is ready for input.
    void Start(QProcess& git, const QStringList& arguments) const;

    // Throws FileError with git's own message when the process failed.
    void Check(QProcess& git, const QStringList& arguments) const;

    // Runs git to its end, with input on its standard input, and returns
    // what it wrote. Throws FileError when it fails.
    QByteArray Run(const QStringList& arguments, std::span<const std::uint8_t> input = {}) const;

    struct Outcome {
        bool Succeeded = false;
        QByteArray Out;
        QByteArray Err;
    };
    // Runs git to its end and tells how it went, for a failure that is an
    // answer ("no such object") rather than an error.
    Outcome Try(const QStringList& arguments, std::span<const std::uint8_t> input = {}) const;

    // Whether the folder lies in a git work tree. Throws FileError when git
    // fails for another reason.
    bool InWorkTree() const;

private:
    QString folder_;
    std::string subject_;
    QString program_;
};

}  // namespace velmora
