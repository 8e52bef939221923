// The cells the shown version changed, outlined over the map in pure red, the
// colour velmora-map diff --png outlines them in and no look uses: a frame
// inside each cell, or the whole cell filled red below 5 pixels per cell,
// where a frame would leave nothing of the cell to see.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const red = 0xff0000ff;  // little-endian RGBA
    const { mark } = atlas.CellMarkLayer;

    // 1 pixel at 5 pixels per cell, 2 at 10 and 20, 3 at 40, 4 at 80, 6 at
    // 160: thick enough to see, thin enough to leave the cell's picture.
    const thickness = (step) => Math.max(1, Math.round(Math.sqrt(step) / 2));

    const ChangeOutlines = atlas.CellMarkLayer.extend({
        // Over the cells, under the search marks.
        options: { className: "atlas-changes", zIndex: 2 },

        initialize(side, options) {
            atlas.CellMarkLayer.prototype.initialize.call(this, side, options);
            this.cells = new Int32Array(0);
        },

        // `cells`: ascending cell numbers. The tiles on screen are drawn
        // again in place, in the same frame as the map's.
        show(cells) {
            this.cells = cells;
            this.refresh();
        },

        drawPixels(coords) {
            if (this.cells.length === 0) {
                return false;
            }
            const step = atlas.zoomSteps.stepOfZoom(coords.z);
            const pixels = this.pixels;
            pixels.fill(0);
            const width = thickness(step);
            this.eachCellIn(this.cells, coords, 0, (x, y) => mark(pixels, x, y, step, width, red));
            return true;
        },
    });

    atlas.ChangeOutlines = ChangeOutlines;
})();
