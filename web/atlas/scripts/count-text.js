// Counts as the page words them, grouped by thousands with commas whatever
// the reader's locale, as velmora-map writes them: "1,234", "1 cell",
// "14 cells".
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const grouped = (count) => count.toLocaleString("en-US");

    atlas.countText = {
        grouped,
        // The count with the word for one or for many.
        counted: (count, one, many) => `${grouped(count)} ${count === 1 ? one : many}`,
    };
})();
