// Ascending lists of cell numbers (y * side + x) in Int32Arrays, searched by
// halving: the search marks find the cells of a tile in them, and the history
// finds in a few hundred of them, within a frame, when a cell last changed.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    // The first index in the ascending `values` that is >= `wanted`.
    const lowerBound = (values, wanted) => {
        let low = 0;
        let high = values.length;
        while (low < high) {
            const middle = (low + high) >>> 1;
            if (values[middle] < wanted) {
                low = middle + 1;
            } else {
                high = middle;
            }
        }
        return low;
    };

    // Where `wanted` is in `values`, or -1.
    const indexOf = (values, wanted) => {
        const at = lowerBound(values, wanted);
        return at < values.length && values[at] === wanted ? at : -1;
    };

    atlas.sortedCells = { lowerBound, indexOf };
})();
