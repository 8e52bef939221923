// The picture table for programs that link the drawing code: the tests and
// the benchmarks.
#include "cli/pictures/DrawnPictures.h"

namespace velmora {

const MapPictures& Pictures() {
    return DrawnPictures();
}

}  // namespace velmora
