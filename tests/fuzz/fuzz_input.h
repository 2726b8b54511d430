// The bytes of a fuzz input, read front to back; zeros once they run out.
#pragma once

#include <cstddef>
#include <cstdint>

namespace reelctl::fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return next_ == size_; }
    std::uint8_t byte() { return next_ < size_ ? data_[next_++] : 0; }
    int word() { return byte() | byte() << 8; }  // 0..65535

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

}  // namespace reelctl::fuzz
