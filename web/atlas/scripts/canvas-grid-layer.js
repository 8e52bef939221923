// The base of the map's layers: a Leaflet grid layer of 256-pixel canvas
// tiles whose pixels a subclass writes into one shared buffer, copied out with
// putImageData, so no browser scaling or smoothing ever touches them.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const tileSize = 256;

    const newCanvas = () => {
        const canvas = L.DomUtil.create("canvas", "leaflet-tile");
        canvas.width = canvas.height = tileSize;
        return canvas;
    };

    const CanvasGridLayer = L.GridLayer.extend({
        options: { tileSize, noWrap: true },

        initialize(options) {
            L.GridLayer.prototype.initialize.call(this, options);
            this.image = new ImageData(tileSize, tileSize);
            this.pixels = new Uint32Array(this.image.data.buffer);
            // Giving a new canvas its pixels the first time costs the browser
            // about a millisecond, ten times the drawing; canvases of tiles
            // that left the view are kept and drawn again instead.
            this.spare = [];
            this.on("tileunload", ({ tile }) => {
                if (this.spare.length < 64) {
                    this.spare.push(tile);
                }
            });
        },

        // Subclasses fill `this.pixels` (tileSize x tileSize little-endian
        // RGBA values) for the tile and return true, or return false to leave
        // it transparent.
        drawPixels(coords) {
            return false;
        },

        createTile(coords) {
            const reused = this.spare.pop();
            const tile = reused ?? newCanvas();
            if (this.drawPixels(coords)) {
                tile.getContext("2d").putImageData(this.image, 0, 0);
            } else if (reused) {
                tile.getContext("2d").clearRect(0, 0, tileSize, tileSize);
            }
            return tile;
        },
    });

    atlas.CanvasGridLayer = CanvasGridLayer;
    atlas.tileSize = tileSize;
})();
