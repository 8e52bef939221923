// A map's versions as its data gives them, the oldest version's cells whole
// and each later one as the cells it changed from the one listed before,
// decoded once into ascending lists of cells with their palette indexes after
// and before the step: the page then goes from any version to any other by
// rewriting only the cells changed in between. Each version's lineage (its
// parents, the cells it set itself and, of a merge, the cells it only
// brought in from another parent) finds when a cell last changed, as git
// blame finds a line's: one binary search per version along the parents.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const hexPrefix = /^[0-9a-f]+$/;

    class MapVersions {
        // `history`: the data's `history`; `changes` and `lineage`: its
        // `changes` and `lineage` unpacked; `cells`: the MapCells of the
        // oldest version, which the versions take over; a map with history
        // always has a palette, which the changes index.
        constructor(history, changes, lineage, cells) {
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
            this.lineage = this.#decodeLineage(lineage);
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

        // The cells version `index` changed from its first parent, ascending.
        changedCells(index) {
            return this.lineage[index].changed;
        }

        // The version that put the code `cell` holds in version `upTo` there,
        // found along the parents, with the code the cell held before it (in
        // its first parent; 0 for a version without one, counted from a map
        // of 0): { version, codeBefore }; null when the cell holds 0 all along.
        lastChange(cell, upTo) {
            const { palette } = this.cells;
            for (let version = upTo, steps = 0; steps < this.list.length; ++steps) {
                const { set, brought } = this.lineage[version];
                const at = atlas.sortedCells.indexOf(set.cells, cell);
                if (at >= 0) {
                    return { version, codeBefore: set.before ? palette[set.before[at]] : 0 };
                }
                const parents = this.list[version].parents;
                const from = atlas.sortedCells.indexOf(brought.cells, cell);
                const next = parents[from >= 0 ? brought.from[from] : 0];
                if (next === undefined) {
                    return null;
                }
                version = next;
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
                if (changed !== this.list[version].steps) {
                    throw new Error(`the history gives ${changed} changed cells for version ` +
                        `${this.list[version].short}, not ${this.list[version].steps}`);
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

        // Per version { set, brought, changed }: the cells it set itself with
        // their palette indexes before (none for a version without parents),
        // the cells a merge brought in with the place of the parent each came
        // from, and all of them together. A version given as its steps set
        // what it changed from the version listed before.
        #decodeLineage(bytes) {
            const reader = new atlas.VarintReader(bytes, "the history's lineage");
            const { palette, count } = this.cells;
            const none = { cells: new Int32Array(0), from: new Uint8Array(0) };
            const cellList = (what, Numbers, limit) => {
                const length = reader.next();
                const cells = new Int32Array(length);
                const numbers = new Numbers(length);
                for (let i = 0, cell = -1; i < length; ++i) {
                    cell += reader.next() + 1;
                    numbers[i] = reader.next();
                    if (cell >= count || numbers[i] >= limit) {
                        throw new Error(`the history's lineage of version ${what} leaves the map`);
                    }
                    cells[i] = cell;
                }
                return { cells, numbers };
            };
            const lineage = this.list.map((version, index) => {
                if (reader.next() === 0) {
                    const { cells, before } = this.changes[index];
                    return { set: { cells, before: index === 0 ? null : before }, brought: none, changed: cells };
                }
                const set = cellList(version.short, Uint32Array, palette.length);
                const brought = cellList(version.short, Uint8Array, version.parents.length);
                const changed = Int32Array.from([...set.cells, ...brought.cells]).sort();
                return {
                    set: { cells: set.cells, before: version.parents.length ? set.numbers : null },
                    brought: { cells: brought.cells, from: brought.numbers },
                    changed,
                };
            });
            if (!reader.done) {
                throw new Error("the history's lineage goes on past its last version");
            }
            return lineage;
        }
    }

    atlas.MapVersions = MapVersions;
})();
