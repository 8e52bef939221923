// Cells by number, y × side + x, as the data files and the page's lists of
// cells count them, and back to their column and row.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    atlas.cellNumbers = {
        number: (x, y, side) => y * side + x,
        place: (cell, side) => ({ x: cell % side, y: Math.floor(cell / side) }),
    };
})();
