// Packing bytes with zlib and base64.
#include "cli/atlas/PackedBytes.h"

#include <zlib.h>

#include <memory>
#include <new>
#include <vector>

namespace velmora {

QByteArray PackBytes(const std::span<const std::uint8_t> bytes, const Packing packing) {
    // Level 6, zlib's default: the maps are mostly long runs of one code,
    // which any level packs small, and the busiest maps gain a tenth in size
    // over the fastest level for a few milliseconds.
    constexpr int kLevel = 6;
    z_stream stream{};
    if (deflateInit2(&stream, kLevel, Z_DEFLATED, MAX_WBITS, 8,
                     packing == Packing::FindRepeats ? Z_DEFAULT_STRATEGY : Z_HUFFMAN_ONLY) !=
        Z_OK) {
        throw std::bad_alloc();
    }
    uLong packedSize = deflateBound(&stream, static_cast<uLong>(bytes.size()));
    // Not cleared: zlib writes what it uses, and only those pages are touched.
    const auto packed = std::make_unique_for_overwrite<Bytef[]>(packedSize);
    stream.next_in = const_cast<Bytef*>(bytes.data());  // zlib's interface is not const
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = packed.get();
    stream.avail_out = static_cast<uInt>(packedSize);
    const int result = deflate(&stream, Z_FINISH);
    packedSize = stream.total_out;
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::bad_alloc();
    }
    return QByteArray::fromRawData(reinterpret_cast<const char*>(packed.get()),
                                   static_cast<qsizetype>(packedSize))
        .toBase64();
}

}  // namespace velmora
