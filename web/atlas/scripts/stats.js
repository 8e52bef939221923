// Measurements of the page, read by the browser test and handy in the
// console: when the first full view was drawn, how long each canvas tile took
// at each zoom step, how long the last search took and how long the last
// change of version took to reach the screen (all in milliseconds).
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const median = (values) => {
        if (values.length === 0) {
            return null;
        }
        const sorted = [...values].sort((a, b) => a - b);
        const middle = sorted.length >> 1;
        return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    };

    atlas.stats = {
        // From the start of the navigation (performance.timeOrigin).
        firstViewMs: null,
        // Zoom step -> the draw time of every canvas tile drawn at that step.
        tileDrawMs: {},
        lastSearchMs: null,
        // From the user's choice of a version (the event's time) until the
        // last tile of it on screen is drawn.
        lastVersionSwitchMs: null,
        addTileDraw(step, ms) {
            (this.tileDrawMs[step] ??= []).push(ms);
        },
        medianTileDrawMs() {
            return Object.fromEntries(
                Object.entries(this.tileDrawMs).map(([step, times]) => [step, median(times)]));
        },
    };
})();
