#include "model/FileError.h"

#include <string>

namespace varnel {

namespace {

class FileErrorCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "varnel file"; }

    std::string message(int value) const override {
        switch (static_cast<FileError>(value)) {
        case FileError::NotRegular:
            return "Not a regular file";
        case FileError::TooLarge:
            return "Too large for a settings file (more than 1 MiB)";
        }
        return "Unknown file error";
    }
};

} // namespace

const std::error_category& fileErrorCategory() {
    static const FileErrorCategory category;
    return category;
}

} // namespace varnel
