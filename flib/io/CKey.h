#pragma once
// One key of a key combination, as a virtual-key code.
#include <cstdint>

namespace Flib { namespace IO { namespace Input {

class CKey {
public:
    explicit CKey(std::uint8_t code = 0) : code_(code) {}
    virtual ~CKey() = default;
    CKey(const CKey&) = default;
    CKey& operator=(const CKey&) = default;

    std::uint8_t GetCode() const { return code_; }

    friend bool operator==(const CKey& left, const CKey& right) { return left.code_ == right.code_; }
    friend bool operator!=(const CKey& left, const CKey& right) { return !(left == right); }

private:
    std::uint8_t code_;
};

}}} // namespace Flib::IO::Input
