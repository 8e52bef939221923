// The picture table for velmora-map itself: the drawing module is loaded on
// the first picture, from beside the program (its build folder) or from
// where it is installed, relative to the program so that a package unpacked
// anywhere still finds its own module.
#include "cli/pictures/MapPictures.h"

#include "core/UserError.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>

namespace velmora {
namespace {

const MapPictures& LoadPictures() {
    std::error_code unknown;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", unknown).parent_path();
    std::string tried;
    for (const std::filesystem::path& path :
         {folder / VELMORA_PICTURES_MODULE,
          (folder / VELMORA_PICTURES_FOLDER / VELMORA_PICTURES_MODULE).lexically_normal()}) {
        // Kept loaded for the rest of the run: the table points into it.
        void* const module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            tried = dlerror();
            continue;
        }
        using Entry = const MapPictures* (*)(const char* version);
        const auto entry = reinterpret_cast<Entry>(dlsym(module, "velmora_map_pictures"));
        const MapPictures* const pictures = entry != nullptr ? entry(VELMORA_VERSION) : nullptr;
        if (pictures != nullptr) {
            return *pictures;
        }
        tried = path.string() + " is not the drawing module of velmora-map " VELMORA_VERSION;
    }
    throw UserError("cannot draw: the drawing module of velmora-map cannot be loaded (" + tried +
                    "); reinstall velmora-map");
}

}  // namespace

const MapPictures& Pictures() {
    static const MapPictures& pictures = LoadPictures();
    return pictures;
}

}  // namespace velmora
