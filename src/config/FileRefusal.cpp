#include "config/FileRefusal.h"

#include <string>

namespace kestrel {

namespace {

class FileRefusalCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "kestrel.file"; }

    std::string message(int value) const override
    {
        switch (static_cast<FileRefusal>(value)) {
        case FileRefusal::NotARegularFile:
            return "not a regular file";
        case FileRefusal::TooLarge:
            return "larger than a file of its kind can be";
        }
        return "refused";
    }
};

} // namespace

const std::error_category& fileRefusalCategory()
{
    static const FileRefusalCategory category;
    return category;
}

std::error_code make_error_code(FileRefusal refusal)
{
    return {static_cast<int>(refusal), fileRefusalCategory()};
}

} // namespace kestrel
