// The map's cells unpacked once into the two arrays the page reads: each
// cell's code (for the texts and the search) and each cell's look index (for
// drawing), with the counts of their codes; another version of the map
// rewrites the cells it changed.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    // Codes 0 to outsideLook - 1 draw their own look; the conflict mark of
    // an unfinished merge draws the conflict look; every other code draws
    // the outside look.
    const { outsideLook, conflictMark, conflictLook } = atlas.constants;
    const lookOf = (code) => (code >= 0 && code < outsideLook ? code
        : code === conflictMark ? conflictLook : outsideLook);

    // The most used first, equal counts by code, as the data lists them.
    const byUse = (a, b) => b[1] - a[1] || a[0] - b[0];

    // The data's `counts`, unpacked: the number of codes, then each code
    // (zigzag) with its count, as [code, count] pairs.
    const decodeCounts = (bytes) => {
        const reader = new atlas.VarintReader(bytes, "the map's counts");
        const counts = [];
        for (let n = reader.next(); counts.length < n;) {
            counts.push([reader.nextSigned(), reader.next()]);
        }
        if (!reader.done) {
            throw new Error("the map's counts go on past their last code");
        }
        return counts;
    };

    class MapCells {
        // `map` is the data file's object, `bytes` its unpacked `cells` and
        // `counts` its decoded `counts` ([code, count] pairs).
        constructor(map, bytes, counts) {
            this.side = map.side;
            this.count = this.side * this.side;
            this.counts = counts;
            const counted = counts.reduce((sum, [, count]) => sum + count, 0);
            if (counted !== this.count) {
                throw new Error(`the map's counts add up to ${counted} cells, not ${this.count}`);
            }
            if (bytes.length !== this.count * map.cellBytes) {
                throw new Error(`the map's cells hold ${bytes.length} bytes, ` +
                    `not ${this.count * map.cellBytes}`);
            }
            // Typed arrays read the machine's byte order, and every machine a
            // browser runs on is little-endian, as the file is. Without a
            // palette each cell is its signed code; with one, its unsigned
            // place in the palette.
            if (!map.palette) {
                this.palette = null;
                this.indexes = new Int32Array(bytes.buffer, bytes.byteOffset, this.count);
            } else {
                this.palette = Int32Array.from(map.palette);
                const Indexes = { 1: Uint8Array, 2: Uint16Array, 4: Uint32Array }[map.cellBytes];
                if (!Indexes) {
                    throw new Error(`the map's cells have ${map.cellBytes} bytes each`);
                }
                this.indexes = new Indexes(bytes.buffer, bytes.byteOffset, this.count);
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
            this.counts = [...byCode].sort(byUse);
        }

        // The smallest rectangle { x, y, width, height } that holds every
        // cell that is not code 0, or null when every cell is.
        extent() {
            const zero = this.palette ? this.palette.indexOf(0) : 0;
            const { indexes, side } = this;
            let left = side;
            let right = -1;
            let top = -1;
            let bottom = -1;
            for (let y = 0, i = 0; y < side; ++y) {
                let first = -1;
                let last = -1;
                for (let x = 0; x < side; ++x, ++i) {
                    if (indexes[i] !== zero) {
                        last = x;
                        if (first < 0) {
                            first = x;
                        }
                    }
                }
                if (first >= 0) {
                    left = Math.min(left, first);
                    right = Math.max(right, last);
                    top = top < 0 ? y : top;
                    bottom = y;
                }
            }
            return top < 0 ? null : { x: left, y: top, width: right - left + 1, height: bottom - top + 1 };
        }

        // One byte per cell; drawing reads nothing else. A palette index past
        // the palette's end is a fault of the data, said at once.
        #lookPerCell() {
            const looks = new Uint8Array(this.count);
            const indexes = this.indexes;
            if (this.palette) {
                const lookOfIndex = this.palette.map(lookOf);
                const end = lookOfIndex.length;
                for (let i = 0; i < this.count; ++i) {
                    if (indexes[i] >= end) {
                        throw new Error(`cell ${i} holds palette index ${indexes[i]}, ` +
                            `past the palette's ${end} codes`);
                    }
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

    atlas.decodeCounts = decodeCounts;
    atlas.MapCells = MapCells;
    atlas.lookOf = lookOf;
})();
