// Unpacks the data files' "packed bytes": zlib data written as one base64
// string, turned back into a Uint8Array with the browser's own inflater.
(() => {
    "use strict";
    const atlas = (window.VelmoraAtlas ??= {});

    const decodeBase64 = (text) => {
        if (Uint8Array.fromBase64) {
            return Uint8Array.fromBase64(text);
        }
        const binary = atob(text);
        const bytes = new Uint8Array(binary.length);
        for (let i = 0; i < binary.length; ++i) {
            bytes[i] = binary.charCodeAt(i);
        }
        return bytes;
    };

    // "deflate" is the zlib format (RFC 1950) that the data files hold. The
    // bytes go in through a stream of the page's own rather than a Blob's,
    // which the browser reads back through its blob store at some cost. The
    // result starts its own ArrayBuffer, so typed views of it are aligned.
    atlas.unpackBytes = async (text) => {
        const packed = decodeBase64(text);
        const source = new ReadableStream({
            start(controller) {
                controller.enqueue(packed);
                controller.close();
            },
        });
        const stream = source.pipeThrough(new DecompressionStream("deflate"));
        return new Uint8Array(await new Response(stream).arrayBuffer());
    };
})();
