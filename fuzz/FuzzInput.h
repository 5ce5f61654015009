#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kestrel::fuzz {

// Takes a fuzz input apart: single bytes and byte runs from the front, zero
// once it is used up, so that every input drives a complete run.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : bytes_(data, size)
    {
    }

    std::uint8_t byte()
    {
        if (bytes_.empty())
            return 0;
        const std::uint8_t value = bytes_.front();
        bytes_ = bytes_.subspan(1);
        return value;
    }

    // Up to `count` bytes; fewer when the input runs out.
    std::span<const std::uint8_t> take(std::size_t count)
    {
        const std::span<const std::uint8_t> taken = bytes_.first(std::min(count, bytes_.size()));
        bytes_ = bytes_.subspan(taken.size());
        return taken;
    }

    std::string_view text(std::size_t count)
    {
        const auto taken = take(count);
        return {reinterpret_cast<const char*>(taken.data()), taken.size()};
    }

    std::span<const std::uint8_t> rest() { return take(bytes_.size()); }
    bool empty() const { return bytes_.empty(); }

private:
    std::span<const std::uint8_t> bytes_;
};

} // namespace kestrel::fuzz
