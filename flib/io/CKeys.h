#pragma once
// An ordered key combination; keys are pressed first to last and released last to first.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <list>

#include "flib/io/CKey.h"

namespace Flib { namespace IO { namespace Input {

// Owns its keys by value.
class CKeys {
public:
    using const_iterator = std::list<CKey>::const_iterator;
    using const_reverse_iterator = std::list<CKey>::const_reverse_iterator;

    CKeys() = default;
    CKeys(std::initializer_list<std::uint8_t> codes);
    virtual ~CKeys() = default;
    CKeys(const CKeys&) = default;
    CKeys& operator=(const CKeys&) = default;

    void AddFront(const CKey& key) { keys_.push_front(key); }
    void AddBack(const CKey& key) { keys_.push_back(key); }
    void Clear() { keys_.clear(); }
    std::size_t Count() const { return keys_.size(); }
    bool IsEmpty() const { return keys_.empty(); }

    const_iterator begin() const { return keys_.begin(); }
    const_iterator end() const { return keys_.end(); }
    const_reverse_iterator rbegin() const { return keys_.rbegin(); }
    const_reverse_iterator rend() const { return keys_.rend(); }

    friend bool operator==(const CKeys& left, const CKeys& right) { return left.keys_ == right.keys_; }
    friend bool operator!=(const CKeys& left, const CKeys& right) { return !(left == right); }

private:
    std::list<CKey> keys_;
};

}}} // namespace Flib::IO::Input
