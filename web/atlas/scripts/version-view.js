// Showing one version of the map: moves the cells to it, draws the tiles on
// screen again in its tile set, outlines the cells it changed when asked, and
// then lets the page bring its texts along. The time from the user's choice
// to the last tile on screen drawn goes into the stats.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    class VersionView {
        constructor(versions, tileSets, map, cellLayer) {
            Object.assign(this, { versions, tileSets, map, cellLayer });
            this.outlines = new atlas.ChangeOutlines(versions.cells.side);
            this.outlined = false;
            // Counts the choices, so that a tile set that comes late does not
            // put an older choice over a newer one.
            this.choices = 0;
            this.listeners = [];
        }

        // Calls `listener(index, tileSet)` after each version is shown, with
        // { tileSet, names, sheets } of the version's tile set.
        onShow(listener) {
            this.listeners.push(listener);
        }

        // Shows version `index`; `since` is when the user chose it (an
        // event's timeStamp). Drawing waits only for a tile set whose looks
        // are not unpacked yet; the page unpacks them all after its first view.
        async show(index, since = performance.now()) {
            const choice = ++this.choices;
            const stem = this.versions.list[index].tileSetStem;
            const tileSet = this.tileSets.loaded(stem) ?? await this.tileSets.load(stem);
            if (choice !== this.choices) {
                return;
            }
            this.versions.moveTo(index);
            this.cellLayer.sheets = tileSet.sheets;
            this.cellLayer.refresh();
            if (this.outlined) {
                this.outlines.show(this.versions.changedCells(index));
            }
            atlas.stats.lastVersionSwitchMs = performance.now() - since;
            this.versions.countShown();
            for (const listener of this.listeners) {
                listener(index, tileSet);
            }
        }

        // Outlines the cells each version shown changed, or stops.
        outline(on) {
            this.outlined = on;
            if (on) {
                this.outlines.show(this.versions.changedCells(this.versions.shown));
                this.outlines.addTo(this.map);
            } else {
                this.outlines.remove();
            }
        }
    }

    atlas.VersionView = VersionView;
})();
