// A map's versions as its data gives them, the oldest version's cells whole
// and each later one as the cells it changed, decoded once into ascending
// lists of cells with their palette indexes after and before the change: the
// page then goes from any version to any other by rewriting only the cells
// changed in between, and finds when a cell last changed with one binary
// search per version.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const hexPrefix = /^[0-9a-f]+$/;

    class MapVersions {
        // `history`: the data's `history`; `changes`: its `changes` unpacked;
        // `cells`: the MapCells of the oldest version, which the versions
        // take over; a map with history always has a palette, which the
        // changes index.
        constructor(history, changes, cells) {
            if (!cells.palette) {
                throw new Error("the map has versions but no palette");
            }
            this.list = history.versions;
            this.leftOut = history.leftOut;
            this.cells = cells;
            // The data counts the newest version's cells, the map as published.
            this.newestCounts = cells.counts;
            // Per version { cells, after, before }; for the oldest its cells
            // that are not code 0, as the data counts its changes.
            this.changes = [this.#oldestChanges()];
            this.shown = 0;
            this.#decode(changes);
        }

        get newest() {
            return this.list.length - 1;
        }

        // The version a text names, its commit's short or full hash or any
        // beginning of it that no other commit shares, or "worktree"; -1
        // when it names none or several.
        find(text) {
            const wanted = text.trim().toLowerCase();
            const named = this.list.flatMap(({ commit }, index) =>
                commit === wanted || (hexPrefix.test(wanted) && commit.startsWith(wanted)) ? [index] : []);
            return named.length === 1 ? named[0] : -1;
        }

        // Rewrites the cells to version `target`: forwards with the indexes
        // after each change, backwards with those before.
        moveTo(target) {
            while (this.shown < target) {
                const { cells, after } = this.changes[++this.shown];
                this.cells.put(cells, after);
            }
            for (; this.shown > target; --this.shown) {
                const { cells, before } = this.changes[this.shown];
                this.cells.put(cells, before);
            }
        }

        // Gives the cells the counts of the version shown: the data's for the
        // newest, counted afresh for any other.
        countShown() {
            if (this.shown === this.newest) {
                this.cells.counts = this.newestCounts;
            } else {
                this.cells.recount();
            }
        }

        // The cells version `index` changed, ascending.
        changedCells(index) {
            return this.changes[index].cells;
        }

        // The last version up to `upTo` that changed `cell`, with the code the
        // cell held before it (0 for the oldest, counted from a map of 0):
        // { version, codeBefore }; null when the cell holds 0 throughout.
        lastChange(cell, upTo) {
            for (let version = upTo; version >= 0; --version) {
                const { cells, before } = this.changes[version];
                const at = atlas.sortedCells.indexOf(cells, cell);
                if (at >= 0) {
                    return { version, codeBefore: version === 0 ? 0 : this.cells.palette[before[at]] };
                }
            }
            return null;
        }

        #oldestChanges() {
            const { indexes, palette, count } = this.cells;
            const zero = palette.indexOf(0);
            let changed = 0;
            for (let i = 0; i < count; ++i) {
                changed += indexes[i] !== zero;
            }
            const cells = new Int32Array(changed);
            for (let i = 0, n = 0; n < changed; ++i) {
                if (indexes[i] !== zero) {
                    cells[n++] = i;
                }
            }
            return { cells };
        }

        // Walks the cells from the oldest version to the newest, noting each
        // changed cell's index before its change on the way.
        #decode(bytes) {
            const reader = new atlas.VarintReader(bytes, "the history's changes");
            const { indexes, palette, count } = this.cells;
            // Two bytes hold an index while the palette has at most 65,536
            // codes; past that, four.
            const Indexes = palette.length > 0x10000 ? Uint32Array : Uint16Array;
            for (let version = 1; version < this.list.length; ++version) {
                const changed = reader.next();
                if (changed !== this.list[version].cellsChanged) {
                    throw new Error(`the history gives ${changed} changed cells for version ` +
                        `${this.list[version].short}, not ${this.list[version].cellsChanged}`);
                }
                const cells = new Int32Array(changed);
                const after = new Indexes(changed);
                const before = new Indexes(changed);
                let cell = -1;
                for (let i = 0; i < changed; ++i) {
                    cell += reader.next() + 1;
                    const index = reader.next();
                    if (cell >= count || index >= palette.length) {
                        throw new Error(`the history's changes of version ${this.list[version].short} ` +
                            "leave the map or its palette");
                    }
                    cells[i] = cell;
                    after[i] = index;
                    before[i] = indexes[cell];
                }
                this.changes.push({ cells, after, before });
                this.moveTo(version);
            }
            if (!reader.done) {
                throw new Error("the history's changes go on past its last version");
            }
        }
    }

    atlas.MapVersions = MapVersions;
})();
