// When the cell under the pointer last changed, up to the shown version, as
// page text beside its other texts: the commit that put its code there, its
// author and date, and the code the cell held before, named in the tile set
// of that commit's first parent.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    // 21 "Courtyard", or the "no tile" name, which holds the code already.
    const codeText = (code, names) =>
        names.entry(code) ? `${code} "${names.name(code)}"` : names.name(code);

    class LastChange {
        // `list` holds one element per text, marked data-text="commit",
        // "author", "date" or "before"; `tileSets` names each version's codes.
        constructor(list, versions, tileSets) {
            this.versions = versions;
            this.tileSets = tileSets;
            this.fields = new atlas.TextFields(list);
        }

        show(cell) {
            const { list, leftOut, shown } = this.versions;
            const found = this.versions.lastChange(cell, shown);
            if (!found) {
                this.fields.write({ commit: "Never changed" });
            } else if (list[found.version].parents.length === 0 &&
                       (leftOut > 0 || list[found.version].historyStart)) {
                // Its change, if any, lies among the versions left out.
                const { short, historyStart } = list[found.version];
                this.fields.write({ commit: historyStart
                    ? `Not since ${short}, where this shallow clone's history begins`
                    : `Not since ${short}, the oldest version kept` });
            } else {
                const version = list[found.version];
                // A version without parents counts from a map of code 0 in its
                // own tile set.
                const before = list[version.parents[0] ?? found.version];
                this.fields.write({
                    commit: version.short,
                    author: atlas.versionTexts.author(version),
                    date: atlas.versionTexts.date(version),
                    before: codeText(found.codeBefore, this.tileSets.names(before.tileSetStem)),
                });
            }
        }

        clear() {
            this.fields.write({});
        }
    }

    atlas.LastChange = LastChange;
})();
