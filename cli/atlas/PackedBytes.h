// Bytes as the web atlas's scripts carry them: compressed with zlib, which
// the browser's DecompressionStream("deflate") reads, then written as base64
// text that a plain script file can hold.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <span>

namespace velmora {

// How the bytes are best packed: by finding repeated runs (maps as map makers
// draw them, pictures), or by coding each byte alone, which packs bytes that
// hardly ever repeat (a map of random codes) as small, three times faster.
enum class Packing { FindRepeats, CodeBytesAlone };

QByteArray PackBytes(std::span<const std::uint8_t> bytes, Packing packing = Packing::FindRepeats);

}  // namespace velmora
