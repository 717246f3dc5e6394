#pragma once
// Routes this executable's imports of one system function to a replacement for
// the lifetime of the object, so a test can see whether product code called it.
#include <windows.h>

#include <vector>

namespace TolvTest {

class ImportPatch {
public:
    // Patches every import slot of the main module bound to `name` (of any DLL).
    ImportPatch(const char* name, void* replacement);
    ~ImportPatch(); // restores the original addresses
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // How many import slots were patched; 0 means the test would observe nothing.
    std::size_t Slots() const { return patched_.size(); }
    // The address the first slot held before patching, for calling through.
    void* Original() const { return patched_.empty() ? nullptr : patched_.front().original; }

private:
    struct Slot {
        void** address;
        void* original;
    };
    std::vector<Slot> patched_;
};

} // namespace TolvTest
