// The cell under the pointer in words: the editor's seven texts as page text
// (a live region, so a screen reader follows the pointer), and for a map with
// history when the cell last changed; emptied when the pointer leaves the map.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    class InfoPanel {
        // `list` holds one element per text, marked data-text="name", "mp",
        // "visibility", "attack", "defence", "absolute" or "relative";
        // `lastChange`, for a map with history, tells when a cell changed.
        constructor(list, cells, names, lastChange = null) {
            this.cells = cells;
            this.names = names;
            this.lastChange = lastChange;
            this.fields = new atlas.TextFields(list);
            this.shown = null;
        }

        show(x, y) {
            if (x < 0 || y < 0 || x >= this.cells.side || y >= this.cells.side) {
                this.clear();
                return;
            }
            // The pointer moves many times per cell; rewrite only on a new cell.
            const key = atlas.cellNumbers.number(x, y, this.cells.side);
            if (this.shown === key) {
                return;
            }
            this.shown = key;
            const code = this.cells.codeAt(x, y);
            const entry = this.names.entry(code);
            const [name, mp, visibility, attack, defence] = entry ?? [this.names.name(code), "", "", "", ""];
            this.fields.write({ name, mp, visibility, attack, defence,
                absolute: atlas.coordinateText.absolute(x, y),
                relative: atlas.coordinateText.relative(x, y) });
            this.lastChange?.show(key);
        }

        clear() {
            if (this.shown !== null) {
                this.shown = null;
                this.fields.write({});
                this.lastChange?.clear();
            }
        }

        // Another version is shown, in the tile set `names` names: the cell
        // under the pointer may hold another code, with another name.
        refresh(names) {
            this.names = names;
            const key = this.shown;
            if (key !== null) {
                this.shown = null;
                const { x, y } = atlas.cellNumbers.place(key, this.cells.side);
                this.show(x, y);
            }
        }
    }

    // Follows the pointer over the map; a tap shows the tapped cell.
    const follow = (map, panel) => {
        const showAt = (event) => panel.show(Math.floor(event.latlng.lng), Math.floor(event.latlng.lat));
        map.on("mousemove click", showAt);
        map.on("mouseout", () => panel.clear());
    };

    atlas.InfoPanel = InfoPanel;
    atlas.followPointer = follow;
})();
