// The map page's wiring: unpacks the data files, builds the Leaflet map with
// the cell and search-mark layers, and connects the address, the information
// panel, the search, the legend, the warnings and the panel's toggle; for a
// map with history, the versions too.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});
    const byId = (id) => document.getElementById(id);

    // Without an address: the cells that are not code 0 (the whole map when
    // every cell is) at the largest step at which they fit the map area both
    // ways, their middle cell in the middle.
    const firstPlace = (map, cells) => {
        const box = cells.extent() ?? { x: 0, y: 0, width: cells.side, height: cells.side };
        const size = map.getSize();
        const steps = atlas.zoomSteps.steps;
        const fits = steps.filter((step) => box.width * step <= size.x && box.height * step <= size.y);
        return { x: box.x + ((box.width - 1) >> 1), y: box.y + ((box.height - 1) >> 1),
            step: fits.length ? fits[fits.length - 1] : steps[0] };
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

    // The Warnings section, and their number on the folded panel's button.
    const showWarnings = (warnings, toggle) => {
        byId("map-warnings").replaceChildren(...warnings.map((warning) => {
            const item = document.createElement("li");
            item.textContent = warning;
            return item;
        }));
        byId("warnings").hidden = warnings.length === 0;
        toggle.showWarnings(warnings.length);
    };

    // The version a link names, else the newest.
    const firstVersion = (versions) => {
        const named = atlas.addressHash.parseVersion(location.hash);
        const index = named === null ? -1 : versions.find(named);
        return index >= 0 ? index : versions.newest;
    };

    // The slider, the list and a typed address choose a version, the toggle
    // outlines its changes; once it is drawn the page's texts follow it.
    // useTileSet(tileSet) brings the search and the legend along.
    const wireHistory = ({ map, cellLayer, panel, toggle, versions, tileSets, useTileSet }) => {
        const view = new atlas.VersionView(versions, tileSets, map, cellLayer);
        const choose = (index, since) => {
            view.show(index, since).catch((error) => console.error(error));
        };
        const historyPanel = new atlas.HistoryPanel({
            section: byId("history"),
            slider: byId("version-slider"),
            position: byId("version-position"),
            ends: byId("version-ends"),
            outline: byId("version-outline"),
            list: byId("version-list"),
            note: byId("versions-note"),
        }, versions, choose, (on) => view.outline(on));
        const writeAddress = atlas.addressHash.follow(map, versions.cells.side, {
            shown: () => versions.list[versions.shown].short,
            choose: (text, event) => {
                const index = versions.find(text);
                if (index >= 0 && index !== versions.shown) {
                    choose(index, event.timeStamp);
                }
            },
        });
        view.onShow((index, tileSet) => {
            byId("map-tileset").textContent = tileSet.tileSet.caption;
            useTileSet(tileSet);
            panel.refresh(tileSet.names);
            showWarnings(versions.list[index].problems, toggle);
            toggle.showVersion(versions.list[index].short);
            historyPanel.select(index);
            writeAddress();
        });
        historyPanel.select(versions.shown);
        toggle.showVersion(versions.list[versions.shown].short);
        byId("cell-change").hidden = false;
        atlas.versionView = view;
    };

    const main = async () => {
        // Until the search is built, Enter in its box must not send the form,
        // which would load the page again.
        byId("search-form").addEventListener("submit", (event) => event.preventDefault());
        const data = atlas.map;
        const history = data.history ?? null;
        const tileSets = new atlas.TileSets(atlas.tileSets);
        const [bytes, counts, changes, lineage] = await Promise.all([atlas.unpackBytes(data.cells),
            atlas.unpackBytes(data.counts), history && atlas.unpackBytes(history.changes),
            history && atlas.unpackBytes(history.lineage), tileSets.load(data.tileSetStem)]);
        const cells = new atlas.MapCells(data, bytes, atlas.decodeCounts(counts));
        const side = cells.side;
        // With history the cells are the oldest version's and the counts the
        // newest's; the versions move them on to the one shown.
        const versions = history && new atlas.MapVersions(history, changes, lineage, cells);
        if (versions) {
            versions.moveTo(firstVersion(versions));
            versions.countShown();
        }
        const { tileSet, names, sheets } = await tileSets.load(
            versions ? versions.list[versions.shown].tileSetStem : data.tileSetStem);

        byId("map-tileset").textContent = tileSet.caption;
        // On a narrow screen the panel folds away behind a button.
        const toggle = new atlas.PanelToggle(byId("panel-toggle"));
        showWarnings(versions ? versions.list[versions.shown].problems : data.warnings, toggle);

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
        atlas.zoomOneStep(map);

        const place = atlas.addressHash.parse(location.hash, side);
        const fit = place?.step ? null : firstPlace(map, cells);
        atlas.addressHash.show(map, place ? { ...place, step: place.step ?? fit.step } : fit);
        new StepControl().addTo(map);

        const cellLayer = new atlas.CellLayer(cells, sheets).addTo(map);
        atlas.cellLayer = cellLayer;
        const marks = new atlas.SearchMarks(side).addTo(map);
        if (!versions) {
            atlas.addressHash.follow(map, side);
        }
        keepCentreOnMap(map, side);
        const panel = new atlas.InfoPanel(byId("cell-info"), cells, names,
            versions && new atlas.LastChange(byId("cell-change"), versions, tileSets));
        atlas.followPointer(map, panel);

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

        const box = new atlas.SearchBox({
            form: byId("search-form"),
            input: byId("search-input"),
            previous: byId("search-previous"),
            next: byId("search-next"),
            count: byId("search-count"),
            position: byId("search-position"),
        }, new atlas.CellSearch(cells, names), marks, map, side);
        atlas.searchBox = box;
        // The search and the legend in a tile set's names, with the counts of
        // the cells shown; a found cells' list is found again in them.
        const useTileSet = ({ names: named, sheets: looks }) => {
            box.search = new atlas.CellSearch(cells, named);
            if (box.query) {
                box.find(box.query);
            }
            // A tile's name when it finds that tile alone, else its code.
            atlas.buildLegend(byId("legend"), cells.counts, named, looks, (code) => {
                const name = named.name(code);
                const codes = box.search.codesFor(name);
                box.find(codes.length === 1 && codes[0] === code ? name : String(code));
            });
        };
        useTileSet({ names, sheets });
        if (versions) {
            wireHistory({ map, cellLayer, panel, toggle, versions, tileSets, useTileSet });
            // Every version's looks at the step shown, when the page is idle,
            // so that a switch never waits for them.
            await Promise.all(versions.list.map(({ tileSetStem }) => tileSets.load(tileSetStem)));
            const whenIdle = window.requestIdleCallback ?? setTimeout;
            const prepare = () => whenIdle(() => tileSets.prepare(atlas.zoomSteps.stepOfZoom(map.getZoom())));
            map.on("zoomend", prepare);
            prepare();
        }
        atlas.ready = true;
    };

    main().catch((error) => {
        byId("atlas-map").textContent = `This map could not be shown: ${error.message}`;
        throw error;
    });
})();
