// The tile set's looks at every zoom step as 32-bit RGBA pixels, ready to be
// copied row by row into canvas tiles; the steps above the largest size the
// program draws (80 and 160) are made from the looks at that size (40).
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const opaque = 0xff000000;
    const { lookCount, drawnLookSizes } = atlas.constants;
    const largest = Math.max(...drawnLookSizes);

    class LookSheets {
        // Call `load` before asking for a sheet.
        constructor(tileSet) {
            this.tileSet = tileSet;
            this.lookCount = lookCount;
            this.rgb = new Map();
            this.sheets = new Map();
        }

        async load() {
            const given = Object.entries(this.tileSet.looks);
            const unpacked = await Promise.all(given.map(([, text]) => atlas.unpackBytes(text)));
            given.forEach(([size], i) => this.rgb.set(Number(size), unpacked[i]));
        }

        // The pixels of every look at `size` pixels per cell: look k's s x s
        // pixels row by row from index k * s * s, so that one look row is a
        // run of s neighbouring values. Each is made when first asked for, so
        // the first view waits only for its own step.
        sheet(size) {
            let sheet = this.sheets.get(size);
            if (!sheet) {
                sheet = this.rgb.has(size)
                    ? this.#fromRgbRow(size, this.rgb.get(size))
                    : this.#enlarged(this.sheet(largest), largest, size / largest);
                this.sheets.set(size, sheet);
            }
            return sheet;
        }

        // A canvas showing look `look` at the largest drawn size, for the legend.
        lookCanvas(look) {
            const size = largest;
            const canvas = document.createElement("canvas");
            canvas.width = canvas.height = size;
            const image = new ImageData(size, size);
            new Uint32Array(image.data.buffer).set(
                this.sheet(size).subarray(look * size * size, (look + 1) * size * size));
            canvas.getContext("2d").putImageData(image, 0, 0);
            return canvas;
        }

        // The data file gives all looks side by side in one RGB picture
        // lookCount x s wide and s high.
        #fromRgbRow(size, rgb) {
            const width = this.lookCount * size;
            if (rgb.length !== width * size * 3) {
                throw new Error(`the ${size}-pixel looks hold ${rgb.length} bytes, ` +
                    `not ${width * size * 3}`);
            }
            const sheet = new Uint32Array(this.lookCount * size * size);
            for (let look = 0; look < this.lookCount; ++look) {
                for (let row = 0; row < size; ++row) {
                    let from = (row * width + look * size) * 3;
                    let to = (look * size + row) * size;
                    for (let column = 0; column < size; ++column, from += 3) {
                        // Little-endian RGBA: red is the lowest byte.
                        sheet[to++] = opaque | (rgb[from + 2] << 16) | (rgb[from + 1] << 8) | rgb[from];
                    }
                }
            }
            return sheet;
        }

        // Every pixel repeated factor x factor times: no smoothing, so the
        // enlarged look is exactly what velmora-map draws at that size.
        #enlarged(source, size, factor) {
            const big = size * factor;
            const sheet = new Uint32Array(this.lookCount * big * big);
            let to = 0;
            for (let look = 0; look < this.lookCount; ++look) {
                for (let bigRow = 0; bigRow < big; ++bigRow) {
                    const from = (look * size + Math.floor(bigRow / factor)) * size;
                    for (let bigColumn = 0; bigColumn < big; ++bigColumn) {
                        sheet[to++] = source[from + Math.floor(bigColumn / factor)];
                    }
                }
            }
            return sheet;
        }
    }

    atlas.LookSheets = LookSheets;
})();
