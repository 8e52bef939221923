// The map itself: canvas tiles whose every pixel is copied from the look
// sheets, so each zoom step shows exactly what velmora-map render draws.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const tileSize = atlas.tileSize;

    // Fills `pixels` with the part of the map whose top-left map pixel is
    // (left, top) at `step` pixels per cell. A cell may straddle tiles, so
    // each tile row starts wherever in a look row its first pixel falls.
    // Pixels outside the map stay transparent.
    const drawPixels = (pixels, cells, sheet, step, left, top) => {
        const side = cells.side;
        const looks = cells.looks;
        const lookArea = step * step;
        const mapEnd = side * step;
        const right = left + tileSize;
        for (let row = 0; row < tileSize; ++row) {
            const y = top + row;
            let to = row * tileSize;
            const rowEnd = to + tileSize;
            if (y < 0 || y >= mapEnd) {
                pixels.fill(0, to, rowEnd);
                continue;
            }
            const cellY = Math.floor(y / step);
            const lookRow = (y - cellY * step) * step;
            const cellRow = cellY * side;
            let x = left;
            if (x < 0) {
                const blank = Math.min(-x, tileSize);
                pixels.fill(0, to, to + blank);
                to += blank;
                x += blank;
            }
            const end = Math.min(right, mapEnd);
            if (step === 1) {
                // One pixel per cell, the look's only pixel: the common
                // loop's bookkeeping would cost more than the copy.
                for (; x < end; ++x) {
                    pixels[to++] = sheet[looks[cellRow + x]];
                }
            }
            let cellX = Math.floor(x / step);
            let column = x - cellX * step;
            while (x < end) {
                const from = looks[cellRow + cellX] * lookArea + lookRow + column;
                const run = Math.min(step - column, end - x);
                for (let i = 0; i < run; ++i) {
                    pixels[to + i] = sheet[from + i];
                }
                to += run;
                x += run;
                ++cellX;
                column = 0;
            }
            if (to < rowEnd) {
                pixels.fill(0, to, rowEnd);
            }
        }
    };

    const CellLayer = atlas.CanvasGridLayer.extend({
        options: { className: "atlas-cells" },

        initialize(cells, sheets, options) {
            // Only tiles that show part of the map are made.
            atlas.CanvasGridLayer.prototype.initialize.call(this, {
                bounds: L.latLngBounds([0, 0], [cells.side, cells.side]), ...options });
            this.cells = cells;
            this.sheets = sheets;
        },

        // The time counted is the whole tile's: its pixels and their copy
        // into the canvas.
        createTile(coords) {
            const started = performance.now();
            const tile = atlas.CanvasGridLayer.prototype.createTile.call(this, coords);
            atlas.stats.addTileDraw(atlas.zoomSteps.stepOfZoom(coords.z), performance.now() - started);
            return tile;
        },

        drawPixels(coords) {
            const step = atlas.zoomSteps.stepOfZoom(coords.z);
            drawPixels(this.pixels, this.cells, this.sheets.sheet(step), step,
                coords.x * tileSize, coords.y * tileSize);
            return true;
        },
    });

    atlas.CellLayer = CellLayer;
})();
