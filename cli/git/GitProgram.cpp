// Starting git and reading its answers.
#include "cli/git/GitProgram.h"

#include <QProcessEnvironment>
#include <QStandardPaths>

#include <csignal>

namespace velmora {

GitProgram::GitProgram(const QString& folder, std::string subject, const std::string& whatFor)
    : folder_(folder), subject_(std::move(subject)) {
    program_ = QStandardPaths::findExecutable(QStringLiteral("git"));
    if (program_.isEmpty()) {
        throw FileError(subject_, "git is not installed, so " + whatFor);
    }
}

void GitProgram::Start(QProcess& git, const QStringList& arguments) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    git.setProcessEnvironment(environment);
    git.setWorkingDirectory(folder_);
    // publish blocks the signals that stop it, to clean up in one thread;
    // git must not inherit that and ignore a Ctrl+C.
    git.setChildProcessModifier([] {
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
    });
    git.start(program_, arguments);
    if (!git.waitForStarted(-1)) {
        throw FileError(subject_, "cannot run git: " + git.errorString().toStdString());
    }
}

void GitProgram::Check(QProcess& git, const QStringList& arguments) const {
    if (git.exitStatus() != QProcess::NormalExit || git.exitCode() != 0) {
        const QString message = QString::fromLocal8Bit(git.readAllStandardError()).trimmed();
        throw FileError(subject_,
                        "git " + arguments.first().toStdString() + " failed: " +
                            (message.isEmpty() ? git.errorString() : message).toStdString());
    }
}

namespace {

// Hands git its input and waits for its end.
void Finish(QProcess& git, const std::span<const std::uint8_t> input) {
    if (!input.empty()) {
        git.write(reinterpret_cast<const char*>(input.data()), static_cast<qint64>(input.size()));
        git.waitForBytesWritten(-1);
    }
    git.closeWriteChannel();
    git.waitForFinished(-1);
}

}  // namespace

GitProgram::Outcome GitProgram::Try(const QStringList& arguments,
                                    const std::span<const std::uint8_t> input) const {
    QProcess git;
    Start(git, arguments);
    Finish(git, input);
    return Outcome{git.exitStatus() == QProcess::NormalExit && git.exitCode() == 0,
                   git.readAllStandardOutput(), git.readAllStandardError()};
}

QByteArray GitProgram::Run(const QStringList& arguments,
                           const std::span<const std::uint8_t> input) const {
    QProcess git;
    Start(git, arguments);
    Finish(git, input);
    Check(git, arguments);
    return git.readAllStandardOutput();
}

bool GitProgram::InWorkTree() const {
    const QStringList arguments{QStringLiteral("rev-parse"),
                                QStringLiteral("--is-inside-work-tree")};
    const Outcome outcome = Try(arguments);
    const QByteArray out = outcome.Out.trimmed();
    if (outcome.Succeeded && out == "true") {
        return true;
    }
    if (out == "false" || outcome.Err.contains("not a git repository")) {
        return false;
    }
    Run(arguments);  // fails again, with git's message
    return false;
}

}  // namespace velmora
