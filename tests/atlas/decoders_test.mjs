// The atlas page's decoders without a site or a browser: the page's own
// script files run in a Node vm context whose global object stands in for
// `window`, fed data packed here the way the data contract describes it
// (docs/atlas-site.md). Each case prints one line; a decoding fault is a
// FAILED line and the exit status 1.
//
// Usage: node decoders_test.mjs [SCRIPTS_DIR]
import { readFileSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import vm from "node:vm";
import { deflateSync } from "node:zlib";

const here = dirname(fileURLToPath(import.meta.url));
const scriptsDir = process.argv[2] ?? join(here, "../../web/atlas/scripts");
const SIDE = 999;

// The constants as the program writes them into constants.js.
const constants = { zoomSteps: [1, 2, 5, 10, 20, 40, 80, 160], drawnLookSizes: [1, 2, 5, 10, 20, 40],
    firstTileLookSize: 20, lookCount: 153, outsideLook: 151, conflictMark: -777777777,
    conflictLook: 152, centre: 499 };

const page = (() => {
    const context = vm.createContext({ atob, performance, console, ReadableStream, Response,
        DecompressionStream, VelmoraAtlas: { constants } });
    context.window = context;
    for (const name of ["stats.js", "count-text.js", "packed-bytes.js", "varints.js", "tile-names.js",
        "sorted-cells.js", "map-cells.js", "map-versions.js", "search.js"]) {
        vm.runInContext(readFileSync(join(scriptsDir, name), "utf8"), context, { filename: name });
    }
    return context.VelmoraAtlas;
})();

// ---- The data as the program writes it, made independently of the page ----

const pack = (bytes) => deflateSync(Buffer.from(bytes.buffer, bytes.byteOffset, bytes.byteLength))
    .toString("base64");

const varints = (numbers) => {
    const bytes = [];
    for (let value of numbers) {
        while (value >= 128) {
            bytes.push((value % 128) | 128);
            value = Math.floor(value / 128);
        }
        bytes.push(value);
    }
    return Uint8Array.from(bytes);
};

const zigzag = (code) => ((code << 1) ^ (code >> 31)) >>> 0;

const byUse = (a, b) => b[1] - a[1] || a[0] - b[0];

const countsOf = (codes) => {
    const counts = new Map();
    for (const code of codes) {
        counts.set(code, (counts.get(code) ?? 0) + 1);
    }
    return [...counts].sort(byUse);
};

const packedCounts = (counts) => varints([counts.length, ...counts.flatMap(([c, n]) => [zigzag(c), n])]);

// A map's data object and its unpacked cells, as publish writes a map of
// `codes` (one per cell, row by row): with a palette unless the codes need
// four bytes and there is no history.
const mapData = (codes, { withPalette } = {}) => {
    const palette = [...new Set(codes)].sort((a, b) => a - b);
    const cellBytes = palette.length <= 256 ? 1 : palette.length <= 65536 ? 2 : 4;
    const data = { side: SIDE, cellBytes };
    let cells;
    if (cellBytes < 4 || withPalette) {
        data.palette = palette;
        const placeOf = new Map(palette.map((code, place) => [code, place]));
        const Indexes = { 1: Uint8Array, 2: Uint16Array, 4: Uint32Array }[cellBytes];
        cells = new Uint8Array(Indexes.from(codes, (code) => placeOf.get(code)).buffer);
    } else {
        cells = new Uint8Array(Int32Array.from(codes).buffer);
    }
    return { data, cells, counts: countsOf(codes) };
};

const dungeonNames = new page.TileNames({ noTileName: "No tile (code %1)",
    conflictName: "Merge conflict (code %1)",
    tiles: { 0: ["Unknown", "-", "0", "0", "0"], 1: ["Open", "1", "0", "0", "0"],
        15: ["Chest", "?", "?", "?", "?"] } });

// ---- The cases ----

let failed = 0;
const check = (ok, what, detail = "") => {
    console.log(ok ? `ok - ${what}` : `FAILED: ${what}${detail ? `\n  ${detail}` : ""}`);
    failed += ok ? 0 : 1;
};
// Runs one group of cases; an error thrown in it is its failing line.
const group = async (what, cases) => {
    try {
        await cases();
    } catch (error) {
        check(false, what, error.stack);
    }
};
const same = (seen, expected) => JSON.stringify(seen) === JSON.stringify(expected);
const throwsLike = (action, pattern) => {
    try {
        action();
        return "no error";
    } catch (error) {
        return pattern.test(error.message) ? true : error.message;
    }
};
const cellsOf = (fill, changes) => {
    const codes = new Array(SIDE * SIDE).fill(fill);
    for (const [cell, code] of changes) {
        codes[cell] = code;
    }
    return codes;
};

// Packed bytes: zlib, then base64, back to the same bytes.
await group("packed bytes", async () => {
    for (const [what, bytes] of [["no bytes", new Uint8Array(0)], ["one byte", Uint8Array.of(200)],
        ["a megabyte of noise", Uint8Array.from({ length: 1 << 20 }, (_, i) => (i * 2654435761) >>> 24)]]) {
        const seen = await page.unpackBytes(pack(bytes));
        check(seen.length === bytes.length && seen.every((byte, i) => byte === bytes[i]),
            `packed bytes unpack: ${what}`, `${seen.length} bytes, not ${bytes.length}`);
    }
});

// Counts: every code, signed 32-bit ones too, in the data's order.
await group("counts", async () => {
    const counts = [[1, 990000], [0, 7000], [-7, 500], [151, 300], [-2147483648, 200], [2147483647, 1]];
    const seen = page.decodeCounts(packedCounts(counts));
    check(same(seen, counts), "counts decode every code with its count", JSON.stringify(seen));
    for (const [what, bytes, pattern] of [
        ["that end mid-list", packedCounts(counts).subarray(0, 9), /end too soon/],
        ["that go on past their last code", Uint8Array.of(...packedCounts(counts), 0), /go on past/]]) {
        const outcome = throwsLike(() => page.decodeCounts(bytes), pattern);
        check(outcome === true, `counts ${what} are refused`, String(outcome));
    }
});

// Cells: palette indexes in one, two and four bytes, or signed codes; each
// cell's code, look and the counts of a recount.
await group("cells", async () => {
    const band = Array.from({ length: 70000 }, (_, i) => [i * 3, 200000 + i]);
    for (const [what, codes, options] of [
        ["one-byte palette indexes", cellsOf(1, [[0, 15], [SIDE * SIDE - 1, 0], [5000, 151]])],
        ["two-byte palette indexes", cellsOf(0, Array.from({ length: 300 }, (_, i) => [i * 7, 1000 + i]))],
        ["four-byte palette indexes", cellsOf(1, band), { withPalette: true }],
        ["signed 32-bit codes", cellsOf(1, [...band, [10, -7], [11, -2147483648], [12, 150]])],
    ]) {
        const { data, cells: bytes, counts } = mapData(codes, options);
        const cells = new page.MapCells(data, bytes, counts);
        const codeAt = (i) => cells.codeAt(i % SIDE, Math.floor(i / SIDE));
        const wrong = codes.findIndex((code, i) =>
            codeAt(i) !== code || cells.looks[i] !== (code >= 0 && code <= 150 ? code : 151));
        check(wrong < 0, `cells decode: ${what}`, `cell ${wrong}: code ${codeAt(wrong)}, not ${codes[wrong]}`);
        cells.recount();
        check(same(cells.counts, counts), `cells recount: ${what}`);
    }
});

// Faults of the cells' data are said, not drawn.
await group("faulty cells", async () => {
    const { data, cells, counts } = mapData(cellsOf(1, [[3, 15]]));
    for (const [what, make, pattern] of [
        ["a palette index past the palette", () => {
            const broken = cells.slice();
            broken[4] = 2;
            return new page.MapCells(data, broken, counts);
        }, /palette index 2/],
        ["too few bytes", () => new page.MapCells(data, cells.subarray(1), counts), /hold 998000 bytes/],
        ["counts that miss cells", () => new page.MapCells(data, cells, counts.slice(1)),
            /add up to 1 cells/]]) {
        const outcome = throwsLike(make, pattern);
        check(outcome === true, `cells with ${what} are refused`, String(outcome));
    }
});

// The extent of the cells that are not 0, for the first view.
await group("the extent of drawn cells", async () => {
    for (const [what, changes, extent] of [
        ["nothing drawn", [], null],
        ["one corner cell", [[SIDE * SIDE - 1, 5]], { x: 998, y: 998, width: 1, height: 1 }],
        ["a spread of cells", [[3 * SIDE + 40, 1], [10 * SIDE + 2, 1], [7 * SIDE + 90, -1]],
            { x: 2, y: 3, width: 89, height: 8 }]]) {
        const { data, cells, counts } = mapData(cellsOf(0, changes));
        const seen = new page.MapCells(data, cells, counts).extent();
        check(same(seen, extent), `the extent of ${what}`, JSON.stringify(seen));
    }
});

// Versions with a palette of over 65,536 codes: a change to the last of them
// lands as that code, forwards and backwards, and the newest's counts are
// the data's.
await group("versions", async () => {
    const oldest = cellsOf(0, Array.from({ length: 70000 }, (_, i) => [i, 100000 + i]));
    const { data, cells: bytes } = mapData(oldest, { withPalette: true });
    const changes = [[5, 169999], [SIDE * SIDE - 1, 100003]];
    const newest = cellsOf(0, [...oldest.map((code, i) => [i, code]), ...changes]);
    const placeOf = (code) => data.palette.indexOf(code);
    const history = {
        versions: [{ short: "aaaaaaa", commit: "a".repeat(40), steps: 70000, parents: [] },
            { short: "bbbbbbb", commit: "b".repeat(40), steps: changes.length, parents: [0] }],
        leftOut: 0,
    };
    const changeBytes = varints([changes.length, changes[0][0], placeOf(changes[0][1]),
        changes[1][0] - changes[0][0] - 1, placeOf(changes[1][1])]);
    const straight = varints([0, 0]);
    const cells = new page.MapCells(data, bytes, countsOf(newest));
    const versions = new page.MapVersions(history, changeBytes, straight, cells);
    const codesAt = () => changes.map(([cell]) => cells.codeAt(cell % SIDE, Math.floor(cell / SIDE)));
    versions.moveTo(1);
    check(same(codesAt(), [169999, 100003]), "a version's changes keep palette indexes past 65,535",
        JSON.stringify(codesAt()));
    versions.countShown();
    check(same(cells.counts, countsOf(newest)), "the newest version shows the data's counts");
    versions.moveTo(0);
    check(same(codesAt(), [100005, 0]), "going back restores the codes before", JSON.stringify(codesAt()));
    versions.countShown();
    check(same(cells.counts, countsOf(oldest)), "an older version is counted afresh");
    const change = versions.lastChange(5, 1);
    check(same(change, { version: 1, codeBefore: 100005 }), "a cell's last change and its code before",
        JSON.stringify(change));
    const outcome = throwsLike(() => new page.MapVersions(history, changeBytes.subarray(0, 4),
        straight, new page.MapCells(data, bytes, countsOf(oldest))), /end too soon/);
    check(outcome === true, "changes cut short are refused", String(outcome));
});

// Lineage: a branch from the oldest version (20 := 2), main beside it
// (30 := 3), and their merge, which only brings cell 20 in from its second
// parent. A cell's last change is found along the parents, as git blame
// finds a line's, never on the other branch.
await group("lineage", async () => {
    const oldest = cellsOf(0, [[10, 1]]);
    const { data, cells: bytes } = mapData(oldest, { withPalette: true });
    data.palette = [0, 1, 2, 3];
    const versions = [
        { short: "root000", commit: "0".repeat(40), steps: 1, parents: [] },
        { short: "side111", commit: "1".repeat(40), steps: 1, parents: [0] },
        { short: "main222", commit: "2".repeat(40), steps: 2, parents: [0] },
        { short: "merge33", commit: "3".repeat(40), steps: 1, parents: [2, 1], merge: true },
    ];
    // Steps: side sets 20; main undoes 20 and sets 30; the merge sets 20.
    const steps = varints([1, 20, 2, 2, 20, 0, 9, 3, 1, 20, 2]);
    // Lineage: root and side as their steps; main sets 30 (was 0); the merge
    // sets nothing and brings 20 from its second parent.
    const lineage = varints([0, 0, 1, 1, 30, 0, 0, 1, 0, 1, 20, 1]);
    const map = new page.MapVersions({ versions, leftOut: 0 }, steps, lineage,
        new page.MapCells({ ...data, cellBytes: 1 }, bytes, countsOf(oldest)));
    for (const [cell, upTo, expected, what] of [
        [20, 3, { version: 1, codeBefore: 0 }, "a cell a merge brought in names the branch's commit"],
        [30, 3, { version: 2, codeBefore: 0 }, "a cell of main names main's commit"],
        [10, 3, { version: 0, codeBefore: 0 }, "a cell of the oldest version names it"],
        [20, 2, null, "main never held the branch's cell"]]) {
        const found = map.lastChange(cell, upTo);
        check(same(found, expected), what, JSON.stringify(found));
    }
    check(same([...map.changedCells(3)], [20]), "a merge's outline is what it changed from its first parent");
    map.moveTo(3);
    check(same([20, 30].map((cell) => map.cells.codeAt(cell, 0)), [2, 3]), "the merge holds both sides' cells");
});

// Search: a code used once among 70,000 is counted and found by its name.
await group("search", async () => {
    const codes = cellsOf(1, [[0, 15], ...Array.from({ length: 70000 }, (_, i) => [i + 1, 200000 + i]),
        [SIDE * SIDE - 1, -777777777]]);
    const { data, cells: bytes, counts } = mapData(codes);
    const search = new page.CellSearch(new page.MapCells(data, bytes, counts), dungeonNames);
    for (const [query, text, first] of [
        ["269999", "No tile (code 269999): 1 cell", 70000],
        ["(code 269998)", "No tile (code 269998): 1 cell", 69999],
        ["chest", "Chest: 1 cell", 0],
        ["merge conflict", "Merge conflict (code -777777777): 1 cell", SIDE * SIDE - 1],
        ["open", `Open: ${(SIDE * SIDE - 70002).toLocaleString("en-US")} cells`, 70001]]) {
        const { text: seen, cells } = search.run(query);
        check(seen === text && cells[0] === first, `search for ${query} counts and finds`,
            `${seen}, first cell ${cells[0]}`);
    }
});

// Looks: each catalogue code its own, the conflict mark its look, any other
// code the outside look.
await group("looks", async () => {
    for (const [code, look] of [[0, 0], [150, 150], [151, 151], [-1, 151], [2147483647, 151],
        [-777777777, 152], [-777777776, 151]]) {
        check(page.lookOf(code) === look, `code ${code} draws look ${look}`, `${page.lookOf(code)}`);
    }
});

console.log(failed ? `${failed} failed` : "all passed");
process.exit(failed ? 1 : 0);
