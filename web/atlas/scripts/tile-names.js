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

        // The tile's name; a cell that holds a merge's conflict mark, or a
        // code that names no tile, is named as such with its code.
        name(code) {
            const unnamed = code === atlas.constants.conflictMark
                ? this.tileSet.conflictName : this.tileSet.noTileName;
            return this.entry(code)?.[0] ?? unnamed.replace("%1", String(code));
        }

        // Whether other codes of the set name a tile of the same name, as the
        // dungeon's four corners of a "Tentacular Cluster" do.
        shared(code) {
            if (!this.sharedNames) {
                const seen = new Set();
                this.sharedNames = new Set();
                for (const [name] of Object.values(this.tileSet.tiles)) {
                    (seen.has(name) ? this.sharedNames : seen).add(name);
                }
            }
            const entry = this.entry(code);
            return entry !== null && this.sharedNames.has(entry[0]);
        }

        // The codes that name a tile, as numbers.
        codes() {
            return Object.keys(this.tileSet.tiles).map(Number);
        }
    }

    atlas.TileNames = TileNames;
})();
