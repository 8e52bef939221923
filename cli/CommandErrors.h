// The errors a subcommand raises; the program catches them in one place,
// prints them on standard error and exits with status 2.
#pragma once

#include "core/UserError.h"

#include <string>

namespace velmora {

// Bad arguments: printed as "velmora-map SUBCOMMAND: text" with a pointer to
// the subcommand's --help.
class UsageError : public UserError {
public:
    explicit UsageError(const std::string& text) : UserError(text) {}
};

// Something wrong with one file: printed as "velmora-map: FILE: text".
class FileError : public UserError {
public:
    FileError(std::string file, const std::string& text)
        : UserError(text), file_(std::move(file)) {}
    const std::string& File() const { return file_; }

private:
    std::string file_;
};

// The file error for a failure to open or read an input, with plainer words
// than the editor's message box uses where the cause is plain: a folder or a
// device given for a file.
FileError InputFileError(const std::string& path, const UserError& error);

// The same for an output: a folder given for a file, or a folder that does
// not exist.
FileError OutputFileError(const std::string& path, const UserError& error);

}  // namespace velmora
