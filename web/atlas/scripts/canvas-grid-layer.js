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
            this.drawTile(tile, coords, reused !== undefined);
            return tile;
        },

        // Gives `tile` its pixels; `used` when it may hold an older drawing.
        drawTile(tile, coords, used) {
            if (this.drawPixels(coords)) {
                tile.getContext("2d").putImageData(this.image, 0, 0);
            } else if (used) {
                tile.getContext("2d").clearRect(0, 0, tileSize, tileSize);
            }
        },

        // Draws the tiles on screen again, each in its own canvas, and drops
        // those Leaflet keeps off screen, to be made anew when they come into
        // view. Unlike redraw, which removes every tile and adds new ones
        // that Leaflet shows only a frame later, nothing leaves the screen:
        // the next frame shows the new drawing whole.
        refresh() {
            if (!this._map) {
                return;
            }
            const zoom = this._map.getZoom();
            const view = this._map.getPixelBounds();
            // Leaflet's own table of its tiles, { el, coords, loaded } by key.
            // A tile it has not yet marked loaded stays, drawn again: without
            // it the layer would never report its loading done.
            for (const [key, { el, coords, loaded }] of Object.entries(this._tiles)) {
                const left = coords.x * tileSize;
                const top = coords.y * tileSize;
                if (!loaded || (coords.z === zoom && left < view.max.x && left + tileSize > view.min.x &&
                    top < view.max.y && top + tileSize > view.min.y)) {
                    this.drawTile(el, coords, true);
                } else {
                    this._removeTile(key);
                }
            }
        },
    });

    atlas.CanvasGridLayer = CanvasGridLayer;
    atlas.tileSize = tileSize;
})();
