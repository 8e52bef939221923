// The atlas's two pages, made from the templates in web/atlas/ by replacing
// their @PLACEHOLDERS@ with escaped texts.
#pragma once

#include <QByteArray>
#include <QSize>

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// What the index shows of one map.
struct AtlasEntry {
    std::string Name;
    std::string TileSetCaption;
    std::uint64_t DrawnCells = 0;  // cells not code 0
    QSize ThumbnailSize;
};

QByteArray IndexPage(const std::string& title, const std::vector<AtlasEntry>& entries);

// tileSetStems: the tile set scripts the page loads, its map's own first.
QByteArray MapPage(const std::string& title, const std::string& name,
                   const std::vector<std::string>& tileSetStems);

// The name as a piece of a URL: "My map #2" -> "My%20map%20%232".
QByteArray NameInUrl(const std::string& name);

// The template or other file of the page, by its name in web/atlas/
// ("index.html", "scripts/map-page.js").
QByteArray AtlasFile(const QString& name);

// The names of the page's scripts in web/atlas/scripts/, in name order.
std::vector<QString> AtlasScriptNames();

// The file of the page's constants at the site's root.
inline constexpr char kConstantsScriptName[] = "constants.js";

// What a map page loads, in order, relative to the page: Leaflet, the
// constants, the tile sets' scripts, the map's data, the page's scripts.
std::vector<std::string> MapPageScripts(const std::string& name,
                                        const std::vector<std::string>& tileSetStems);

}  // namespace velmora
