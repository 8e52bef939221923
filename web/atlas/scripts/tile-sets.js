// Every tile set the page draws with, by its script's stem: its names at
// once, and its look sheets unpacked once, when first asked for, so that a
// version in another tile set is drawn without waiting once they are in.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    class TileSets {
        // `scripts`: VelmoraAtlas.tileSets, filled by the tile set scripts.
        constructor(scripts) {
            this.scripts = scripts;
            this.entries = new Map();
        }

        #entry(stem) {
            let entry = this.entries.get(stem);
            if (!entry) {
                const tileSet = this.scripts[stem];
                if (!tileSet) {
                    throw new Error(`the page has no tile set "${stem}"`);
                }
                entry = { tileSet, names: new atlas.TileNames(tileSet), sheets: new atlas.LookSheets(tileSet),
                    loaded: false };
                entry.loading = entry.sheets.load().then(() => {
                    entry.loaded = true;
                    return entry;
                });
                this.entries.set(stem, entry);
            }
            return entry;
        }

        names(stem) {
            return this.#entry(stem).names;
        }

        // { tileSet, names, sheets } once the looks are unpacked.
        load(stem) {
            return this.#entry(stem).loading;
        }

        // The same, or null while the looks are still unpacking.
        loaded(stem) {
            const entry = this.#entry(stem);
            return entry.loaded ? entry : null;
        }

        // Makes every unpacked tile set's sheet for `step` pixels per cell
        // now, at a moment the page chooses, rather than during a switch of
        // version: the 160-pixel sheet alone takes some 40 ms.
        prepare(step) {
            for (const entry of this.entries.values()) {
                if (entry.loaded) {
                    entry.sheets.sheet(step);
                }
            }
        }
    }

    atlas.TileSets = TileSets;
})();
