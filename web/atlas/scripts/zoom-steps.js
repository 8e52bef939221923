// The zoom steps of the atlas, in pixels per cell, as the site's constants
// give them, and the Leaflet coordinate system whose zoom levels 0, 1, ...
// are exactly those steps.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const steps = atlas.constants.zoomSteps;
    const last = steps.length - 1;

    // Leaflet asks for scales between the steps while a pinch or an animation
    // is under way; those are interpolated geometrically, and the steps
    // themselves come out exact because the exponent is then 0 or 1.
    const scale = (zoom) => {
        const lower = Math.min(Math.max(Math.floor(zoom), 0), last - 1);
        return steps[lower] * (steps[lower + 1] / steps[lower]) ** (zoom - lower);
    };

    const zoom = (pixelsPerCell) => {
        let lower = 0;
        while (lower < last - 1 && pixelsPerCell >= steps[lower + 1]) {
            ++lower;
        }
        return lower + Math.log(pixelsPerCell / steps[lower]) /
            Math.log(steps[lower + 1] / steps[lower]);
    };

    // Cell (x, y) covers x <= lng < x + 1 and y <= lat < y + 1; rows grow
    // southwards as in the map file, so the y axis points down the screen.
    const crs = L.extend({}, L.CRS.Simple, {
        transformation: new L.Transformation(1, 0, 1, 0),
        scale,
        zoom,
    });

    // The step closest to any requested size; a tie goes to the smaller one.
    const nearestStep = (pixelsPerCell) =>
        steps.reduce((best, step) =>
            Math.abs(step - pixelsPerCell) < Math.abs(best - pixelsPerCell) ? step : best);

    atlas.zoomSteps = {
        steps,
        crs,
        nearestStep,
        stepOfZoom: (zoomLevel) => steps[zoomLevel],
        zoomOfStep: (step) => steps.indexOf(step),
    };
})();
