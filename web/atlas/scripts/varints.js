// Reads the unsigned LEB128 varints the data files pack their lists in: seven
// bits a byte, the lowest first, the top bit set on every byte but the last.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    class VarintReader {
        // `what` names the data in the error for bytes that end mid-number,
        // as in "the map's counts end too soon".
        constructor(bytes, what) {
            this.bytes = bytes;
            this.what = what;
            this.at = 0;
        }

        get done() {
            return this.at === this.bytes.length;
        }

        next() {
            let value = 0;
            let scale = 1;
            let byte;
            do {
                if (this.at >= this.bytes.length) {
                    throw new Error(`${this.what} end too soon`);
                }
                byte = this.bytes[this.at++];
                // Multiplying, not shifting: a shift wraps past 31 bits.
                value += (byte & 0x7f) * scale;
                scale *= 128;
            } while (byte & 0x80);
            return value;
        }

        // A signed 32-bit number written zigzag: 0, -1, 1, -2, ... as 0, 1,
        // 2, 3, ...
        nextSigned() {
            const zigzag = this.next();
            if (zigzag > 0xffffffff) {
                throw new Error(`${this.what} hold a number past 32 bits`);
            }
            return (zigzag >>> 1) ^ -(zigzag & 1);
        }
    }

    atlas.VarintReader = VarintReader;
})();
