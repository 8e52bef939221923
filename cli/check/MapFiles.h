// The maps that check and stats read: the files named, and every *.map file
// in the folders named and their subfolders; and, for check, the rules file
// nearest each map.
#pragma once

#include "cli/check/RulesFile.h"

#include <QStringList>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velmora {

// In the order given, each folder's maps sorted by path. Throws FileError for
// a folder that holds no map file; a file that does not exist is left in,
// for its reading to report.
std::vector<std::string> MapFilesIn(const QStringList& paths);

// Finds and reads the rules file nearest each map: in the map's folder or the
// nearest folder above it, up to the top of the git work tree the folder lies
// in; outside a work tree, only in the map's own folder. Each folder and file
// is looked at once.
class RulesFinder {
public:
    // The rules that apply to the map, or nullptr when there are none. Throws
    // FileError for a rules file that cannot be read or is not well formed.
    const RulesFile* For(const std::string& mapPath);

    // Every rules file read, in the order first found.
    const std::vector<const RulesFile*>& Files() const { return order_; }

private:
    std::string TopOf(const QString& folder);

    std::map<QString, std::string> tops_;
    std::map<QString, const RulesFile*> nearest_;
    std::map<std::string, std::unique_ptr<RulesFile>> files_;
    std::vector<const RulesFile*> order_;
};

// Whether the rule applies to the map: its maps pattern matches the map's
// path relative to the rules file's folder.
bool RuleCoversMap(const FileRule& rule, const RulesFile& rules, const std::string& mapPath);

}  // namespace velmora
