// The one kind of error the editor shows to the map maker: it carries the
// text of the message box, without the closing full stop that the box adds.
#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace velmora
