// The pictures velmora-map draws, as the bytes it writes. Drawing needs Qt's
// GUI module, and loading that module takes about a third of the start of a
// command that draws nothing (info, merge as git's merge driver, diff as
// git's diff recipe). So the drawing code is a module of its own, loaded
// when the first picture is asked for; the rest of the program calls it only
// through this table, which holds types of Qt Core and of the core only.
#pragma once

#include "core/document/MapGrid.h"
#include "core/overview/OverviewPainter.h"
#include "core/tiles/TileSet.h"

#include <QByteArray>
#include <QSize>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// A thumbnail's PNG file and its size, which follows the map's drawn area.
struct Thumbnail {
    QByteArray Png;
    QSize Size;
};

// Every entry draws as render's function of the same name and returns the
// PNG file of the picture, or for LookSheetRgb its pixels; they throw as
// those functions do.
struct MapPictures {
    QByteArray (*OverviewPng)(const MapGrid& grid, std::int32_t tileSet, CellArea area,
                              int cellPixels);
    QByteArray (*TilesPng)(const MapGrid& grid, std::optional<std::int32_t> tileSet, CellArea area,
                           int cellPixels);
    Thumbnail (*ThumbnailPng)(const MapGrid& grid, std::int32_t tileSet, int size);
    QByteArray (*ChangesPng)(const MapGrid& grid, std::int32_t tileSet,
                             std::span<const std::int32_t> changed, CellArea bounds);
    QByteArray (*TilesheetPng)(TileSet tileSet, QSize size);
    // Whether the picture file at path shows the tilesheet pixel for pixel,
    // however it is encoded; false when it cannot be read as a picture.
    bool (*ShowsTilesheet)(const std::string& path, TileSet tileSet, QSize size);
    // The look sheet's pixels row by row, three bytes (red, green, blue) each.
    std::vector<std::uint8_t> (*LookSheetRgb)(std::int32_t tileSet, bool tiles, int cellPixels);
};

// The drawing code: linked into the tests, loaded as a module by the
// program. Throws UserError when the module cannot be loaded.
const MapPictures& Pictures();

}  // namespace velmora
