// Finding cells: by part of a tile's name, ignoring case, or by a code given
// as a whole number. The result lists the matching cells in row order.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const wholeNumber = /^[+-]?\d+$/;

    class CellSearch {
        constructor(cells, names) {
            this.cells = cells;
            this.names = names;
            // The map's counts by code, to size the result before the scan.
            this.countOf = new Map(cells.counts);
        }

        // The codes a query means: the code itself for a whole number, else
        // every tile whose name holds the query, and every code of the map
        // that names no tile when its "no tile" name holds it.
        codesFor(query) {
            const text = query.trim();
            if (wholeNumber.test(text)) {
                const code = Number(text);
                return code >= -2147483648 && code <= 2147483647 ? [code] : [];
            }
            const wanted = text.toLowerCase();
            const named = this.names.codes().filter(
                (code) => this.names.name(code).toLowerCase().includes(wanted));
            const unnamed = [...this.countOf.keys()].filter(
                (code) => !this.names.entry(code) && this.names.name(code).toLowerCase().includes(wanted));
            return [...named, ...unnamed].sort((a, b) => a - b);
        }

        // { text: "Chest: 14 cells", cells: Int32Array of cell numbers y * side + x }.
        run(query) {
            const started = performance.now();
            const codes = this.codesFor(query);
            const total = codes.reduce((sum, code) => sum + (this.countOf.get(code) ?? 0), 0);
            const found = new Int32Array(total);
            if (total > 0) {
                this.#scan(new Set(codes), found);
            }
            const label = codes.length === 1 ? this.names.name(codes[0]) : query.trim();
            atlas.stats.lastSearchMs = performance.now() - started;
            return { text: `${label}: ${atlas.countText.counted(total, "cell", "cells")}`, cells: found };
        }

        // One pass over every cell, testing a flag per palette entry, or per
        // code for maps stored without a palette.
        #scan(codes, found) {
            const { indexes, palette, count } = this.cells;
            let n = 0;
            if (palette) {
                const wanted = palette.map((code) => (codes.has(code) ? 1 : 0));
                for (let i = 0; i < count; ++i) {
                    if (wanted[indexes[i]]) {
                        found[n++] = i;
                    }
                }
            } else if (codes.size === 1) {
                const [code] = codes;
                for (let i = 0; i < count; ++i) {
                    if (indexes[i] === code) {
                        found[n++] = i;
                    }
                }
            } else {
                for (let i = 0; i < count; ++i) {
                    if (codes.has(indexes[i])) {
                        found[n++] = i;
                    }
                }
            }
        }
    }

    atlas.CellSearch = CellSearch;
})();
