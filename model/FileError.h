#pragma once
// Reasons of our own for refusing a file, alongside the operating system's errors.

#include <system_error>

namespace varnel {

enum class FileError {
    NotRegular = 1, // a FIFO, device, socket or folder: reading it could block or never end
    TooLarge = 2,   // beyond what a settings file can be
};

const std::error_category& fileErrorCategory();

inline std::error_code make_error_code(FileError e) {
    return {static_cast<int>(e), fileErrorCategory()};
}

} // namespace varnel

template <> struct std::is_error_code_enum<varnel::FileError> : std::true_type {};
