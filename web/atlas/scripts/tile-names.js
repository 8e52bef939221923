// What the tile set says about a code: its name and four property texts, or
// the "no tile" name for a code that names no tile of the set.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    class TileNames {
        constructor(tileSet) {
            this.tileSet = tileSet;
        }

        // [name, MP's, Vis. Adj, Att. Adj, Def. Adj], or null.
        entry(code) {
            const key = String(code);
            return Object.hasOwn(this.tileSet.tiles, key) ? this.tileSet.tiles[key] : null;
        }

        name(code) {
            return this.entry(code)?.[0] ?? this.tileSet.noTileName.replace("%1", String(code));
        }

        // The codes that name a tile, as numbers.
        codes() {
            return Object.keys(this.tileSet.tiles).map(Number);
        }
    }

    atlas.TileNames = TileNames;
})();
