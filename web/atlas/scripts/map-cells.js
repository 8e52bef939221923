// The map's 998,001 cells unpacked once into the two arrays the page reads:
// each cell's code (for the texts and the search) and each cell's look index
// (for drawing); another version of the map rewrites the cells it changed.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    // Looks 0 to 150 draw codes 0 to 150; look 151 draws every other code.
    const lookOf = (code) => (code >= 0 && code <= 150 ? code : 151);

    class MapCells {
        // `map` is the data file's object, `bytes` its unpacked `cells`.
        constructor(map, bytes) {
            this.side = map.side;
            this.count = this.side * this.side;
            this.counts = map.counts;
            if (bytes.length !== this.count * map.cellBytes) {
                throw new Error(`the map's cells hold ${bytes.length} bytes, ` +
                    `not ${this.count * map.cellBytes}`);
            }
            // Typed arrays read the machine's byte order, and every machine a
            // browser runs on is little-endian, as the file is.
            if (map.cellBytes === 4 && !map.palette) {
                this.palette = null;
                this.indexes = new Int32Array(bytes.buffer, 0, this.count);
            } else if (map.cellBytes === 4) {
                // Codes, of a map with history: its versions' changes name
                // codes by their place in the palette, so the cells are
                // turned into places too (rare: over 65,536 codes).
                this.palette = Int32Array.from(map.palette);
                const placeOf = new Map(map.palette.map((code, place) => [code, place]));
                const codes = new Int32Array(bytes.buffer, 0, this.count);
                this.indexes = Uint32Array.from(codes, (code) => placeOf.get(code));
            } else {
                this.palette = Int32Array.from(map.palette);
                this.indexes = map.cellBytes === 2
                    ? new Uint16Array(bytes.buffer, 0, this.count) : bytes;
            }
            this.looks = this.#lookPerCell();
        }

        // The code of cell (x, y).
        codeAt(x, y) {
            const index = this.indexes[y * this.side + x];
            return this.palette ? this.palette[index] : index;
        }

        // Gives the cells numbered in `numbers` the palette indexes in
        // `indexes`, as another version of the map holds them.
        put(numbers, indexes) {
            const lookOfIndex = (this.lookOfIndex ??= this.palette.map(lookOf));
            for (let i = 0; i < numbers.length; ++i) {
                const cell = numbers[i];
                this.indexes[cell] = indexes[i];
                this.looks[cell] = lookOfIndex[indexes[i]];
            }
        }

        // Counts the codes of the cells as they are now into `counts`, the
        // most used first (equal counts by code): one pass over the cells.
        recount() {
            const byCode = new Map();
            if (this.palette) {
                const perIndex = new Uint32Array(this.palette.length);
                for (let i = 0; i < this.count; ++i) {
                    ++perIndex[this.indexes[i]];
                }
                perIndex.forEach((count, index) => count && byCode.set(this.palette[index], count));
            } else {
                for (let i = 0; i < this.count; ++i) {
                    byCode.set(this.indexes[i], (byCode.get(this.indexes[i]) ?? 0) + 1);
                }
            }
            this.counts = [...byCode].sort((a, b) => b[1] - a[1] || a[0] - b[0]);
        }

        // One byte per cell; drawing reads nothing else.
        #lookPerCell() {
            const looks = new Uint8Array(this.count);
            const indexes = this.indexes;
            if (this.palette) {
                const lookOfIndex = this.palette.map(lookOf);
                for (let i = 0; i < this.count; ++i) {
                    looks[i] = lookOfIndex[indexes[i]];
                }
            } else {
                for (let i = 0; i < this.count; ++i) {
                    looks[i] = lookOf(indexes[i]);
                }
            }
            return looks;
        }
    }

    atlas.MapCells = MapCells;
    atlas.lookOf = lookOf;
})();
