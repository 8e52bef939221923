// Pictures as PNG bytes, the one encoder of every PNG the programs write.
#pragma once

#include <QByteArray>
#include <QImage>

namespace velmora {

// PNG bytes of the image. An image of at most 256 colours is stored with a
// palette of exactly its colours, which makes it smaller and much faster to
// encode; others are stored as they are. Throws UserError when Qt cannot
// encode it.
QByteArray EncodePng(const QImage& image);

}  // namespace velmora
