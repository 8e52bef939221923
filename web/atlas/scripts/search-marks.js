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

    const { frame, mark } = atlas.CellMarkLayer;

    const thickness = (step) => (step >= 20 ? Math.max(2, step / 20) : 1);

    const SearchMarks = atlas.CellMarkLayer.extend({
        // Above a version's change outlines, when those are shown.
        options: { className: "atlas-marks", zIndex: 3 },

        initialize(side, options) {
            atlas.CellMarkLayer.prototype.initialize.call(this, side, options);
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
            const pixels = this.pixels;
            pixels.fill(0);
            // Edges first, so that no edge covers a neighbouring mark. A
            // cell just outside the tile may reach into it with its edge.
            const edged = step < 20;
            const eachFound = (draw) => this.eachCellIn(this.found, coords, edged ? 1 : 0, draw);
            if (edged) {
                eachFound((x, y) => frame(pixels, x - 1, y - 1, step + 2, 1, edgeColour));
            }
            eachFound((x, y) => mark(pixels, x, y, step, thickness(step), markColour));
            if (this.current >= 0) {
                // The ring may reach into a neighbouring tile; each tile
                // draws its own part of it.
                const cell = atlas.cellNumbers.place(this.found[this.current], this.side);
                const x = cell.x * step - left;
                const y = cell.y * step - top;
                const ring = step < 20 ? 3 : 0;
                if (ring) {
                    frame(pixels, x - 2 * ring, y - 2 * ring, step + 4 * ring, ring, edgeColour);
                    frame(pixels, x - ring, y - ring, step + 2 * ring, ring, currentColour);
                }
                mark(pixels, x, y, step, thickness(step), currentColour);
            }
            return true;
        },
    });

    atlas.SearchMarks = SearchMarks;
})();
