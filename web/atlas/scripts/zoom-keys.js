// One key press or click is one zoom step. Leaflet zooms three steps when a
// zoom key or a zoom button is pressed with Shift, which with eight steps
// skips most of them; such a press is taken here, before Leaflet sees it,
// and zooms one step as it does without Shift.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    // The key codes Leaflet zooms in and out by, from its keyboard handler.
    const { zoomIn, zoomOut } = L.Map.Keyboard.prototype.keyCodes;
    const keyDirection = new Map([...zoomIn.map((code) => [code, 1]),
        ...zoomOut.map((code) => [code, -1])]);

    const buttonDirection = (target) =>
        target.closest?.(".leaflet-control-zoom-in") ? 1 : target.closest?.(".leaflet-control-zoom-out") ? -1 : 0;

    const step = (map, direction, event) => {
        event.preventDefault();
        event.stopPropagation();
        const zoom = map.getZoom() + direction;
        if (zoom >= map.getMinZoom() && zoom <= map.getMaxZoom()) {
            map.setZoom(zoom);
        }
    };

    // Leaflet listens for the keys on the document while the map area has
    // the focus, and for clicks on the buttons themselves: a listener on the
    // map area in the capture phase comes before both.
    atlas.zoomOneStep = (map) => {
        map.getContainer().addEventListener("keydown", (event) => {
            const direction = keyDirection.get(event.keyCode);
            if (direction && event.shiftKey && !event.altKey && !event.ctrlKey && !event.metaKey) {
                step(map, direction, event);
            }
        }, true);
        map.getContainer().addEventListener("click", (event) => {
            const direction = buttonDirection(event.target);
            if (direction && event.shiftKey) {
                step(map, direction, event);
            }
        }, true);
    };
})();
