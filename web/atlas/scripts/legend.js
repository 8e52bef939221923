// The legend: every tile the map uses with its 40-pixel look, name and count,
// most used first; a click searches for that code. Codes that name no tile
// are listed too, but only the first few: a damaged map can hold thousands.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const unnamedShown = 10;

    const entry = (code, count, names, sheets, onPick) => {
        const button = document.createElement("button");
        button.type = "button";
        button.className = "legend-entry";
        button.dataset.code = String(code);
        button.title = `Find the cells of code ${code}`;
        const look = sheets.lookCanvas(atlas.lookOf(code));
        look.className = "legend-look";
        look.setAttribute("aria-hidden", "true");
        const name = document.createElement("span");
        name.className = "legend-name";
        name.textContent = names.name(code);
        // A name that several codes share is told apart by its code.
        if (names.shared(code)) {
            const shown = document.createElement("span");
            shown.className = "legend-code";
            shown.textContent = ` (code ${code})`;
            name.append(shown);
        }
        const number = document.createElement("span");
        number.className = "legend-count";
        number.textContent = atlas.countText.grouped(count);
        button.append(look, name, number);
        button.addEventListener("click", () => onPick(code));
        const item = document.createElement("li");
        item.append(button);
        return item;
    };

    // `counts` is the map's [code, count] list, already most used first. The
    // list is emptied first: another version of the map has other counts.
    const build = (list, counts, names, sheets, onPick) => {
        list.replaceChildren();
        let unnamed = 0;
        let restCodes = 0;
        let restCells = 0;
        for (const [code, count] of counts) {
            if (!names.entry(code) && ++unnamed > unnamedShown) {
                ++restCodes;
                restCells += count;
            } else {
                list.append(entry(code, count, names, sheets, onPick));
            }
        }
        if (restCodes > 0) {
            const item = document.createElement("li");
            item.className = "legend-rest";
            item.textContent = `and ${atlas.countText.grouped(restCodes)} more codes that name ` +
                `no tile, in ${atlas.countText.counted(restCells, "cell", "cells")}`;
            list.append(item);
        }
    };

    atlas.buildLegend = build;
})();
