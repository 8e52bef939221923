// The map page's wiring: unpacks the data files, builds the Leaflet map with
// the cell and search-mark layers, and connects the address, the information
// panel, the search, the legend, the warnings and the panel's toggle.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});
    const byId = (id) => document.getElementById(id);

    // Without an address: the whole map at the largest step that fits.
    const fittingStep = (map, side) => {
        const size = map.getSize();
        const fits = atlas.zoomSteps.steps.filter((step) => side * step <= Math.min(size.x, size.y));
        return fits.length ? fits[fits.length - 1] : atlas.zoomSteps.steps[0];
    };

    // A view dragged off the map is brought back until its middle is on it.
    const keepCentreOnMap = (map, side) => {
        map.on("moveend", () => {
            const centre = map.getCenter();
            const lat = Math.min(Math.max(centre.lat, 0), side);
            const lng = Math.min(Math.max(centre.lng, 0), side);
            if (lat !== centre.lat || lng !== centre.lng) {
                map.panTo([lat, lng]);
            }
        });
    };

    // "40 px per cell" in the map's corner.
    const StepControl = L.Control.extend({
        options: { position: "bottomleft" },
        onAdd(map) {
            const text = L.DomUtil.create("div", "atlas-step");
            const update = () => {
                text.textContent = `${atlas.zoomSteps.stepOfZoom(map.getZoom())} px per cell`;
            };
            map.on("zoomend", update);
            update();
            return text;
        },
    });

    // On a narrow screen the panel folds away behind a button.
    const wirePanelToggle = () => {
        const toggle = byId("panel-toggle");
        toggle.addEventListener("click", () => {
            const open = document.body.classList.toggle("panel-open");
            toggle.setAttribute("aria-expanded", String(open));
            toggle.textContent = open ? "Close" : "Panel";
        });
    };

    const showWarnings = (warnings) => {
        if (warnings.length === 0) {
            return;
        }
        const list = byId("map-warnings");
        for (const warning of warnings) {
            const item = document.createElement("li");
            item.textContent = warning;
            list.append(item);
        }
        byId("warnings").hidden = false;
    };

    const main = async () => {
        // Until the search is built, Enter in its box must not send the form,
        // which would load the page again.
        byId("search-form").addEventListener("submit", (event) => event.preventDefault());
        const data = atlas.map;
        const tileSet = atlas.tileSets[data.tileSetStem];
        const names = new atlas.TileNames(tileSet);
        const sheets = new atlas.LookSheets(tileSet);
        const [bytes] = await Promise.all([atlas.unpackBytes(data.cells), sheets.load()]);
        const cells = new atlas.MapCells(data, bytes);
        const side = cells.side;

        byId("map-tileset").textContent = tileSet.caption;
        showWarnings(data.warnings);
        wirePanelToggle();

        const steps = atlas.zoomSteps.steps;
        const map = L.map("atlas-map", {
            crs: atlas.zoomSteps.crs,
            minZoom: 0,
            maxZoom: steps.length - 1,
            zoomSnap: 1,
            zoomDelta: 1,
            // Tiles drawn here are ready at once; fading them in would only
            // show half-drawn views.
            fadeAnimation: false,
            attributionControl: false,
            keyboardPanDelta: 128,
        });
        atlas.leafletMap = map;

        const place = atlas.addressHash.parse(location.hash, side);
        const centre = { x: (side - 1) >> 1, y: (side - 1) >> 1, step: fittingStep(map, side) };
        atlas.addressHash.show(map, place ? { ...place, step: place.step ?? centre.step } : centre);
        new StepControl().addTo(map);

        const cellLayer = new atlas.CellLayer(cells, sheets).addTo(map);
        atlas.cellLayer = cellLayer;
        const marks = new atlas.SearchMarks(side).addTo(map);
        atlas.addressHash.follow(map, side);
        keepCentreOnMap(map, side);
        atlas.followPointer(map, new atlas.InfoPanel(byId("cell-info"), cells, names));

        // The first full view counts once every tile of it is on screen: the
        // frame after Leaflet reports them all loaded. The search and the
        // legend are built only then, so that the map comes first.
        await new Promise((resolve) => {
            const drawn = () => requestAnimationFrame(resolve);
            if (cellLayer.isLoading()) {
                cellLayer.once("load", drawn);
            } else {
                drawn();
            }
        });
        atlas.stats.firstViewMs = performance.now();

        const search = new atlas.CellSearch(cells, names);
        const box = new atlas.SearchBox({
            form: byId("search-form"),
            input: byId("search-input"),
            previous: byId("search-previous"),
            next: byId("search-next"),
            count: byId("search-count"),
            position: byId("search-position"),
        }, search, marks, map, side);
        atlas.searchBox = box;
        // A tile's name when it finds that tile alone, else its code.
        atlas.buildLegend(byId("legend"), data.counts, names, sheets, (code) => {
            const name = names.name(code);
            const codes = search.codesFor(name);
            box.find(codes.length === 1 && codes[0] === code ? name : String(code));
        });
        atlas.ready = true;
    };

    main().catch((error) => {
        byId("atlas-map").textContent = `This map could not be shown: ${error.message}`;
        throw error;
    });
})();
