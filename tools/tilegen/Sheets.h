// Overview images of the pictures: the contact sheet of every tile with its
// name, and small sample maps that show how joining tiles meet.
#pragma once

#include <QImage>

namespace velmora {

// Every picture at twice its size with its bitmap name under it, in a grid
// with one block per group of tiles.
QImage RenderContactSheet();

// A handful of small maps made of the pictures, at twice their size: walls,
// roads, highways, walkways, the elevator and the tentacular cluster.
QImage RenderJoinSamples();

}  // namespace velmora
