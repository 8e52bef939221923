// Links to a place: "#x=510&y=487&cell=40" is cell (510, 487) in the middle of
// the map area at 40 pixels per cell, and on a map with history
// "&version=5a84ae8" names the version shown. The address follows the view
// and the version, so it is always a link to what is on screen, and a hash
// typed by the user moves them.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const wholeNumber = /^[+-]?\d+$/;

    // { x, y, step } from a hash, or null when it names no place. A cell
    // size that is no step is taken as the nearest step; a missing one as
    // null, for the caller to keep its own.
    const parse = (hash, side) => {
        const fields = new URLSearchParams(hash.replace(/^#/, ""));
        const x = fields.get("x");
        const y = fields.get("y");
        if (!wholeNumber.test(x ?? "") || !wholeNumber.test(y ?? "")) {
            return null;
        }
        const clamp = (value) => Math.min(Math.max(Number(value), 0), side - 1);
        const cell = Number(fields.get("cell"));
        return {
            x: clamp(x),
            y: clamp(y),
            step: fields.has("cell") && cell > 0 ? atlas.zoomSteps.nearestStep(cell) : null,
        };
    };

    // The version's text as given, or null; the history finds what it names.
    const parseVersion = (hash) => new URLSearchParams(hash.replace(/^#/, "")).get("version");

    // `version`: the shown version's short commit or "worktree", or null for
    // a map without history.
    const format = ({ x, y, step }, version = null) =>
        `#x=${x}&y=${y}&cell=${step}` + (version === null ? "" : `&version=${encodeURIComponent(version)}`);

    // The cell in the middle of the map area.
    const viewOf = (map, side) => {
        const centre = map.getCenter();
        const clamp = (value) => Math.min(Math.max(Math.floor(value), 0), side - 1);
        return { x: clamp(centre.lng), y: clamp(centre.lat),
            step: atlas.zoomSteps.stepOfZoom(map.getZoom()) };
    };

    // Shows `place` with its cell's middle at the middle of the map area. A
    // pan, even unanimated, moves by whole pixels and may leave the middle of
    // the area in the next cell at 1 or 2 pixels per cell; a reset puts the
    // view exactly where asked.
    const show = (map, place) => {
        const zoom = place.step === null ? map.getZoom() : atlas.zoomSteps.zoomOfStep(place.step);
        map.setView([place.y + 0.5, place.x + 0.5], zoom, { reset: true });
    };

    // Keeps the address on the view and the view on an address the user
    // enters. replaceState fires no hashchange and adds no history entry.
    // For a map with history `versions` is { shown(): the shown version's
    // text, choose(text, event): show the version a typed address names };
    // it writes the address again once it shows it. Returns the writer.
    const follow = (map, side, versions = null) => {
        const write = () => {
            const hash = format(viewOf(map, side), versions?.shown() ?? null);
            if (location.hash !== hash) {
                history.replaceState(history.state, "", hash);
            }
        };
        map.on("moveend zoomend", write);
        window.addEventListener("hashchange", (event) => {
            const place = parse(location.hash, side);
            const version = parseVersion(location.hash);
            if (place) {
                show(map, place);
            }
            if (versions && version !== null) {
                versions.choose(version, event);
            }
            write();
        });
        write();
        return write;
    };

    atlas.addressHash = { parse, parseVersion, format, show, follow };
})();
