#include "tests/support/ImportPatch.h"

#include <cstring>

namespace TolvTest {

namespace {

void Write(void** slot, void* value)
{
    DWORD oldProtection = 0;
    ::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &oldProtection);
    *slot = value;
    ::VirtualProtect(slot, sizeof(void*), oldProtection, &oldProtection);
}

} // namespace

ImportPatch::ImportPatch(const char* name, void* replacement)
{
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0) {
        return;
    }
    for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         library->Name != 0; ++library) {
        if (library->OriginalFirstThunk == 0) {
            continue; // names unknown: bound by address only
        }
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) {
                continue;
            }
            auto** slot = reinterpret_cast<void**>(&slots->u1.Function);
            patched_.push_back({slot, *slot});
            Write(slot, replacement);
        }
    }
}

ImportPatch::~ImportPatch()
{
    for (const Slot& slot : patched_) {
        Write(slot.address, slot.original);
    }
}

} // namespace TolvTest
