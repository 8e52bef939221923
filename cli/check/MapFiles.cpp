// Listing the maps and finding their rules files. A rules file is looked for
// no higher than the work tree's top, so that a checkout's rules are never
// mixed with a file that happens to lie above it.
#include "cli/check/MapFiles.h"

#include "cli/CommandErrors.h"
#include "cli/git/GitProgram.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <fnmatch.h>

#include <algorithm>

namespace velmora {

std::vector<std::string> MapFilesIn(const QStringList& paths) {
    std::vector<std::string> maps;
    for (const QString& path : paths) {
        if (!QFileInfo(path).isDir()) {
            maps.push_back(path.toStdString());
            continue;
        }
        std::vector<std::string> found;
        const QDir folder(path);
        QDirIterator files(path, {QStringLiteral("*.map")}, QDir::Files,
                           QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (files.hasNext()) {
            // As the folder was given: "maps/castle.map", not an absolute path.
            const QString relative = folder.relativeFilePath(files.next());
            found.push_back(
                QDir::cleanPath(folder.path() + QLatin1Char('/') + relative).toStdString());
        }
        if (found.empty()) {
            throw FileError(path.toStdString(), "the folder holds no map file (*.map)");
        }
        std::sort(found.begin(), found.end());
        maps.insert(maps.end(), found.begin(), found.end());
    }
    return maps;
}

std::string RulesFinder::TopOf(const QString& folder) {
    const auto known = tops_.find(folder);
    if (known != tops_.end()) {
        return known->second;
    }
    std::string top = folder.toStdString();
    try {
        const GitProgram git(folder, folder.toStdString(), "its rules file cannot be looked for");
        if (git.InWorkTree()) {
            const QString answer = QString::fromUtf8(
                git.Run({QStringLiteral("rev-parse"), QStringLiteral("--show-toplevel")})
                    .trimmed());
            top = QFileInfo(answer).canonicalFilePath().toStdString();
        }
    } catch (const FileError&) {
        // Without git, or where git cannot answer, the map's folder is all
        // that is searched, as outside a work tree.
    }
    tops_.emplace(folder, top);
    return top;
}

const RulesFile* RulesFinder::For(const std::string& mapPath) {
    const QString folder =
        QFileInfo(QFileInfo(QString::fromStdString(mapPath)).absolutePath()).canonicalFilePath();
    if (folder.isEmpty()) {
        return nullptr;  // no such folder: the map's reading says so
    }
    const auto known = nearest_.find(folder);
    if (known != nearest_.end()) {
        return known->second;
    }
    const QString top = QString::fromStdString(TopOf(folder));
    const RulesFile* found = nullptr;
    for (QDir at(folder);;) {
        const QString candidate = at.filePath(QString::fromUtf8(kRulesFileName));
        if (QFileInfo(candidate).isFile()) {
            const std::string path = candidate.toStdString();
            auto& file = files_[path];
            if (!file) {
                file = std::make_unique<RulesFile>(ReadRulesFile(path));
                order_.push_back(file.get());
            }
            found = file.get();
            break;
        }
        if (at.absolutePath() == top || !at.cdUp()) {
            break;
        }
    }
    nearest_.emplace(folder, found);
    return found;
}

bool RuleCoversMap(const FileRule& rule, const RulesFile& rules, const std::string& mapPath) {
    if (rule.Maps.empty()) {
        return true;
    }
    const QString map = QFileInfo(QString::fromStdString(mapPath)).absoluteFilePath();
    const QString canonical = QFileInfo(map).canonicalFilePath();
    const std::string relative = QDir(QString::fromStdString(rules.Folder))
                                     .relativeFilePath(canonical.isEmpty() ? map : canonical)
                                     .toStdString();
    return fnmatch(rule.Maps.c_str(), relative.c_str(), FNM_PATHNAME) == 0;
}

}  // namespace velmora
