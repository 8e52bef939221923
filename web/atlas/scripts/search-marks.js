// The found cells marked over the map: an outline inside each cell from 5
// pixels per cell on, a filled square below, and the current cell in another
// colour with a ring around it so it stands out at any step. Below 20 pixels
// per cell each mark also gets a dark edge, as the overview's colours are
// mostly light.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const tileSize = atlas.tileSize;
    // Little-endian RGBA values.
    const markColour = 0xff00d7ff;     // amber
    const currentColour = 0xffff40e0;  // magenta
    const edgeColour = 0xff302418;     // dark slate

    // First index in the ascending `values` that is >= `wanted`.
    const lowerBound = (values, wanted) => {
        let low = 0;
        let high = values.length;
        while (low < high) {
            const middle = (low + high) >>> 1;
            if (values[middle] < wanted) {
                low = middle + 1;
            } else {
                high = middle;
            }
        }
        return low;
    };

    // Fills the rectangle clipped to the tile.
    const fill = (pixels, x, y, width, height, colour) => {
        const x0 = Math.max(x, 0);
        const x1 = Math.min(x + width, tileSize);
        for (let row = Math.max(y, 0); row < Math.min(y + height, tileSize); ++row) {
            if (x0 < x1) {
                pixels.fill(colour, row * tileSize + x0, row * tileSize + x1);
            }
        }
    };

    const frame = (pixels, x, y, size, thickness, colour) => {
        fill(pixels, x, y, size, thickness, colour);
        fill(pixels, x, y + size - thickness, size, thickness, colour);
        fill(pixels, x, y, thickness, size, colour);
        fill(pixels, x + size - thickness, y, thickness, size, colour);
    };

    // A cell's mark at `step` pixels per cell, its top-left pixel at (x, y).
    const mark = (pixels, x, y, step, colour) => {
        if (step < 5) {
            fill(pixels, x, y, step, step, colour);
        } else {
            frame(pixels, x, y, step, step >= 20 ? Math.max(2, step / 20) : 1, colour);
        }
    };

    const SearchMarks = atlas.CanvasGridLayer.extend({
        options: { className: "atlas-marks" },

        initialize(side, options) {
            atlas.CanvasGridLayer.prototype.initialize.call(this, options);
            this.side = side;
            this.found = new Int32Array(0);
            this.current = -1;
        },

        // `found`: cell numbers in row order; `current`: an index into it or -1.
        show(found, current) {
            this.found = found;
            this.current = current;
            this.redraw();
        },

        drawPixels(coords) {
            if (this.found.length === 0) {
                return false;
            }
            const step = atlas.zoomSteps.stepOfZoom(coords.z);
            const left = coords.x * tileSize;
            const top = coords.y * tileSize;
            const firstX = Math.floor(left / step);
            const lastX = Math.floor((left + tileSize - 1) / step);
            const firstY = Math.floor(top / step);
            const lastY = Math.floor((top + tileSize - 1) / step);
            const pixels = this.pixels;
            pixels.fill(0);
            // Edges first, so that no edge covers a neighbouring mark. A
            // cell just outside the tile may reach into it with its edge.
            const edged = step < 20;
            const eachFound = (draw) => {
                const reach = edged ? 1 : 0;
                const bottom = Math.min(lastY + reach, this.side - 1);
                for (let y = Math.max(firstY - reach, 0); y <= bottom; ++y) {
                    const rowStart = y * this.side + Math.max(firstX - reach, 0);
                    const rowEnd = y * this.side + Math.min(lastX + reach, this.side - 1);
                    for (let i = lowerBound(this.found, rowStart);
                        i < this.found.length && this.found[i] <= rowEnd; ++i) {
                        draw((this.found[i] - y * this.side) * step - left, y * step - top);
                    }
                }
            };
            if (edged) {
                eachFound((x, y) => frame(pixels, x - 1, y - 1, step + 2, 1, edgeColour));
            }
            eachFound((x, y) => mark(pixels, x, y, step, markColour));
            if (this.current >= 0) {
                // The ring may reach into a neighbouring tile; each tile
                // draws its own part of it.
                const cell = this.found[this.current];
                const x = (cell % this.side) * step - left;
                const y = Math.floor(cell / this.side) * step - top;
                const ring = step < 20 ? 3 : 0;
                if (ring) {
                    frame(pixels, x - 2 * ring, y - 2 * ring, step + 4 * ring, ring, edgeColour);
                    frame(pixels, x - ring, y - ring, step + 2 * ring, ring, currentColour);
                }
                mark(pixels, x, y, step, currentColour);
            }
            return true;
        },
    });

    atlas.SearchMarks = SearchMarks;
})();
