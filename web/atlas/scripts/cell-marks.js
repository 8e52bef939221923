// The base of the layers that mark cells over the map, the search's finds and
// a version's changes: canvas tiles that draw squares and frames on the cells
// of an ascending list, finding each tile's cells in it by binary search.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const tileSize = atlas.tileSize;

    // Fills the rectangle clipped to the tile; colours are little-endian RGBA.
    const fill = (pixels, x, y, width, height, colour) => {
        const x0 = Math.max(x, 0);
        const x1 = Math.min(x + width, tileSize);
        for (let row = Math.max(y, 0); row < Math.min(y + height, tileSize); ++row) {
            if (x0 < x1) {
                pixels.fill(colour, row * tileSize + x0, row * tileSize + x1);
            }
        }
    };

    // A frame `thickness` pixels wide inside the square of `size` pixels.
    const frame = (pixels, x, y, size, thickness, colour) => {
        fill(pixels, x, y, size, thickness, colour);
        fill(pixels, x, y + size - thickness, size, thickness, colour);
        fill(pixels, x, y, thickness, size, colour);
        fill(pixels, x + size - thickness, y, thickness, size, colour);
    };

    // A cell's mark at `step` pixels per cell, its top-left pixel at (x, y):
    // the whole cell filled below 5 pixels per cell, where a frame would
    // leave nothing of the cell to see, else a frame `thickness` wide.
    const mark = (pixels, x, y, step, thickness, colour) => {
        if (step < 5) {
            fill(pixels, x, y, step, step, colour);
        } else {
            frame(pixels, x, y, step, thickness, colour);
        }
    };

    const CellMarkLayer = atlas.CanvasGridLayer.extend({
        initialize(side, options) {
            atlas.CanvasGridLayer.prototype.initialize.call(this, options);
            this.side = side;
        },

        // Calls draw(x, y) with the tile pixel of the top-left corner of each
        // cell of `cells` (ascending cell numbers) that lies in the tile or
        // within `reach` cells of it, for marks that spill over a cell's edge.
        eachCellIn(cells, coords, reach, draw) {
            const step = atlas.zoomSteps.stepOfZoom(coords.z);
            const left = coords.x * tileSize;
            const top = coords.y * tileSize;
            const firstX = Math.max(Math.floor(left / step) - reach, 0);
            const lastX = Math.min(Math.floor((left + tileSize - 1) / step) + reach, this.side - 1);
            const firstY = Math.max(Math.floor(top / step) - reach, 0);
            const lastY = Math.min(Math.floor((top + tileSize - 1) / step) + reach, this.side - 1);
            for (let y = firstY; y <= lastY; ++y) {
                const rowStart = y * this.side;
                for (let i = atlas.sortedCells.lowerBound(cells, rowStart + firstX);
                    i < cells.length && cells[i] <= rowStart + lastX; ++i) {
                    draw((cells[i] - rowStart) * step - left, y * step - top);
                }
            }
        },
    });

    CellMarkLayer.fill = fill;
    CellMarkLayer.frame = frame;
    CellMarkLayer.mark = mark;
    atlas.CellMarkLayer = CellMarkLayer;
})();
