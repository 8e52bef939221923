// The publish subcommand: maps as a web atlas, a static site that any browser
// opens from its folder, drawn in the browser from the tile codes. The maps
// are read and turned into the site's files on every core at once; the site
// is built beside OUTDIR and put in its place only when it is complete.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapCondition.h"
#include "cli/MapInput.h"
#include "cli/atlas/AtlasData.h"
#include "cli/atlas/AtlasPages.h"
#include "cli/atlas/SiteFolder.h"
#include "cli/history/MapVersions.h"
#include "cli/pictures/MapPictures.h"
#include "cli/publish/ParallelJobs.h"
#include "core/document/CodeCounts.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>

namespace velmora {
namespace {

constexpr char kHelp[] = R"(Usage: velmora-map publish [OPTION]... MAP... OUTDIR
Write the maps as a web atlas into the folder OUTDIR: a static site of plain
files that any browser opens from the folder (double-click index.html) or
from any static web server, with nothing fetched from the network.

OUTDIR/index.html lists every map with its thumbnail, tile set and the
number of cells drawn; OUTDIR/maps/NAME.html shows one map, NAME being its
file name without .map. The page draws the map itself from its codes, at
whole numbers of pixels per cell from 1 to 160, exactly as 'velmora-map
render' draws it: in the overview's colours below 20 pixels per cell, with
the tile pictures from 20 on. Moving the pointer shows a cell's tile and
position as the editor does; a search finds tiles by name or code; the
address (#x=X&y=Y&cell=N) always links to the view.

OUTDIR is made if it does not exist. An existing OUTDIR must be empty, an
atlas published before, or a checkout to deploy from that holds only hidden
files and a CNAME; anything else is refused and left as it is. The new atlas
is written beside OUTDIR and put in its place only once it is complete;
every file and folder in OUTDIR that publish did not write (.git, CNAME,
notes of your own) is kept as it is. Interrupted, publish leaves nothing
behind.

With --history, each map inside a git work tree is published with every
version of it that git holds, oldest to newest (git follows the file through
renames), and the working-tree file as the last version when it differs
from its last commit: the page then has a time slider, the list of versions,
an outline of the cells each version changed, and tells for the cell under
the pointer when it last changed, by whom, and what it held before. A map in
no git work tree is published without history, with a warning.

Options:
      --title TEXT        the atlas's title (default "Velmora atlas")
      --history           publish each map's versions from its git history
      --max-versions N    with --history, keep at most the newest N versions
                            of each map (default 500)
  -h, --help              show this help and exit

Leaflet, which the pages use, is copied from the system's libjs-leaflet
package (/usr/share/javascript/leaflet, or the folder that the environment
variable VELMORA_LEAFLET_DIR names).

Exit status: 0 when the atlas was written; 2 when a map is refused or
cannot be read, OUTDIR is refused, git is missing or fails, for bad
arguments or a failed write.
)";

constexpr char kDefaultTitle[] = "Velmora atlas";
constexpr char kLeafletFolder[] = "/usr/share/javascript/leaflet";
// The thumbnails of the index, as file managers show maps.
constexpr int kThumbnailSize = 256;

std::filesystem::path LeafletFolder() {
    const char* const chosen = std::getenv("VELMORA_LEAFLET_DIR");
    return chosen != nullptr && *chosen != '\0' ? std::filesystem::path(chosen)
                                                : std::filesystem::path(kLeafletFolder);
}

// The files of Leaflet the pages load, with their names in the site.
std::vector<std::pair<std::filesystem::path, std::string>> LeafletFiles() {
    const std::filesystem::path folder = LeafletFolder();
    std::vector<std::pair<std::filesystem::path, std::string>> files = {
        {folder / "leaflet.min.js", "leaflet/leaflet.js"},
        {folder / "leaflet.css", "leaflet/leaflet.css"},
    };
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder / "images", error), end; !error && it != end;
         it.increment(error)) {
        files.emplace_back(it->path(), "leaflet/images/" + it->path().filename().string());
    }
    for (const auto& [from, to] : files) {
        if (!std::filesystem::is_regular_file(from, error)) {
            throw FileError(from.string(),
                            "Leaflet, which the atlas's pages use, is missing; install the package "
                            "libjs-leaflet");
        }
    }
    return files;
}

// "Leaflet 1.6.0", as the copied leaflet.js names itself, or "Leaflet of
// unknown version" when it does not.
std::string LeafletVersion(
    const std::vector<std::pair<std::filesystem::path, std::string>>& files) {
    static const QRegularExpression kVersion(
        QStringLiteral("\\bversion\\s*=\\s*\"([0-9]+\\.[0-9]+[^\"]*)\""));
    QFile script(QString::fromStdString(files.front().first.string()));
    if (script.open(QIODevice::ReadOnly)) {
        const QRegularExpressionMatch match = kVersion.match(QString::fromUtf8(script.readAll()));
        if (match.hasMatch()) {
            return "Leaflet " + match.captured(1).toStdString();
        }
    }
    return "Leaflet of unknown version";
}

// A map's name in the atlas: its file name without ".map".
std::string NameOf(const std::string& path) {
    if (path == kStandardInputName) {
        return "standard-input";
    }
    const QFileInfo info(QString::fromStdString(path));
    const QString name = info.fileName();
    return (name.endsWith(QStringLiteral(".map"), Qt::CaseInsensitive) && name.size() > 4
                ? name.chopped(4)
                : name)
        .toStdString();
}

// Refuses two maps of one name, without regard to case, since their pages
// would be one file on a file system that ignores case.
void RefuseSameNames(const std::vector<std::string>& paths) {
    std::map<QString, std::string> seen;
    for (const std::string& path : paths) {
        const QString key = QString::fromStdString(NameOf(path)).toCaseFolded();
        if (const auto [place, added] = seen.emplace(key, path); !added) {
            std::error_code error;
            if (std::filesystem::equivalent(place->second, path, error)) {
                throw UsageError(place->second == path
                                     ? "the map " + path + " is given twice"
                                     : "the map " + place->second + " is given twice, the second " +
                                           "time as " + path);
            }
            throw UsageError("two maps are named '" + NameOf(path) + "' (" + place->second +
                             " and " + path + "); each map's page is named after its file");
        }
    }
}

// What every map is published with.
struct PublishOptions {
    std::string Title;
    // With history: the most versions of each map, else 0.
    std::size_t MostVersions = 0;
};

// What the site holds of one map, made from its file.
struct PublishedMap {
    AtlasEntry Entry;
    std::int32_t TileSet = 0;
    std::vector<std::string> Warnings;
    std::vector<std::string> Notes;
};

// Publishes one map; useTileSet hears of the tile set it is drawn with as
// soon as that is known, so that its script is made while the map's is.
PublishedMap Publish(const std::string& path, const PublishOptions& options, const SiteFolder& site,
                     const std::function<void(std::int32_t)>& useTileSet) {
    PublishedMap published;
    // With history the file is read once, for the map and for git.
    std::optional<std::vector<std::uint8_t>> bytes;
    std::optional<MapVersions> versions;
    if (options.MostVersions > 0) {
        bytes = ReadInputBytes(path);
        try {
            versions = ReadMapVersions(path, options.MostVersions, bytes);
        } catch (const NotInGitWorkTree&) {
            published.Notes.push_back("not in a git work tree, so it is published without history");
        }
    }
    const LoadedMap map = bytes ? LoadMapFromBytes(path, *bytes) : LoadMap(path);
    bytes.reset();
    RefuseMapWithoutCells(map);
    published.TileSet = DrawingTileSet(map, std::nullopt);
    useTileSet(published.TileSet);
    if (versions) {
        for (const VersionChanges& changes : versions->Changes) {
            useTileSet(changes.TileSet);
        }
        if (versions->History.LeftOut > 0) {
            published.Notes.push_back("the " + GroupedNumber(versions->History.LeftOut) +
                                      " oldest versions are left out; --max-versions N keeps more");
        }
    }
    // The newest version is the map as published, its codes counted already.
    std::vector<CodeCount> counts =
        versions ? std::move(versions->NewestCounts) : CountCodes(map.Grid->Cells());
    published.Warnings = ConditionWarnings(map, DrawingAdvice(map, std::nullopt, {}));
    for (std::string& note : CodeNotes(published.TileSet, counts)) {
        published.Warnings.push_back(std::move(note));
    }

    AtlasMap atlasMap;
    atlasMap.Name = NameOf(path);
    atlasMap.AtlasTitle = options.Title;
    atlasMap.Grid = map.Grid.get();
    atlasMap.TileSet = published.TileSet;
    atlasMap.Versions = versions ? &*versions : nullptr;
    atlasMap.Counts = std::move(counts);
    atlasMap.Warnings = published.Warnings;
    std::uint64_t zeros = 0;
    for (const CodeCount& counted : atlasMap.Counts) {
        zeros += counted.Code == 0 ? counted.Count : 0;
    }
    SortByCount(atlasMap.Counts);

    const std::string file = "maps/" + atlasMap.Name;
    site.Write(file + ".js", MapScript(atlasMap));
    const Thumbnail thumbnail =
        Pictures().ThumbnailPng(*map.Grid, published.TileSet, kThumbnailSize);
    site.Write(file + ".png", thumbnail.Png);
    site.Write(file + ".html", MapPage(options.Title, atlasMap.Name, TileSetScriptStems(atlasMap)));

    published.Entry = AtlasEntry{atlasMap.Name, TileSetCaption(published.TileSet),
                                 kMapCellCount - zeros, thumbnail.Size};
    return published;
}

}  // namespace

int RunPublish(const QStringList& arguments, Console& console) {
    CommandLine line("publish", kHelp);
    line.AddOption(QCommandLineOption(QStringLiteral("title"), QString(), QStringLiteral("TEXT")));
    line.AddOption(QCommandLineOption(QStringLiteral("history")));
    AddMostVersionsOption(line);
    if (!line.Parse(arguments, console, 2, -1)) {
        return kExitSuccess;
    }
    PublishOptions options;
    options.Title = line.IsSet(QStringLiteral("title"))
                        ? line.Value(QStringLiteral("title")).toStdString()
                        : std::string(kDefaultTitle);
    const std::optional<std::size_t> mostVersions = MostVersionsGiven(line);
    if (mostVersions && !line.IsSet(QStringLiteral("history"))) {
        throw UsageError("--max-versions goes with --history");
    }
    if (line.IsSet(QStringLiteral("history"))) {
        options.MostVersions = mostVersions.value_or(kDefaultMostVersions);
    }
    const std::string& title = options.Title;
    QStringList maps = line.Positional();
    const std::string outDir = maps.takeLast().toStdString();
    RefuseStandardInputTwice(maps);
    std::vector<std::string> paths;
    for (const QString& map : maps) {
        paths.push_back(map.toStdString());
    }
    RefuseSameNames(paths);
    const auto leaflet = LeafletFiles();

    SiteFolder site(outDir);
    std::vector<PublishedMap> published(paths.size());
    {
        // Every map, every tile set's script and the page's files are made
        // on every core at once.
        ParallelJobs jobs;
        std::mutex tileSetsLock;
        std::set<std::int32_t> tileSets;
        const auto useTileSet = [&](const std::int32_t tileSet) {
            const std::lock_guard lock(tileSetsLock);
            if (tileSets.insert(tileSet).second) {
                jobs.Start([&site, tileSet] {
                    site.Write("tilesets/" + TileSetScriptStem(tileSet) + ".js",
                               TileSetScript(tileSet));
                });
            }
        };
        for (std::size_t i = 0; i < paths.size(); ++i) {
            jobs.Start([&, i] { published[i] = Publish(paths[i], options, site, useTileSet); });
        }
        jobs.Start([&site, &leaflet] {
            for (const auto& [from, to] : leaflet) {
                site.Copy(from, to);
            }
            site.Write("atlas.css", AtlasFile(QStringLiteral("atlas.css")));
            site.Write(kConstantsScriptName, ConstantsScript());
            for (const QString& script : AtlasScriptNames()) {
                site.Write(script.toStdString(), AtlasFile(script));
            }
        });
        jobs.Wait();
    }
    std::vector<AtlasEntry> entries;
    for (std::size_t i = 0; i < published.size(); ++i) {
        entries.push_back(published[i].Entry);
        for (const std::string& warning : published[i].Warnings) {
            console.Warn(paths[i], warning);
        }
        for (const std::string& note : published[i].Notes) {
            console.Note(paths[i], note);
        }
    }
    site.Write("index.html", IndexPage(title, entries));
    site.Commit("A web atlas written by velmora-map publish, with " + LeafletVersion(leaflet) +
                ".");
    return kExitSuccess;
}

}  // namespace velmora
