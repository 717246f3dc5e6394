#pragma once
// Owning wrappers for the few kinds of OS handle the program creates itself.
#include <windows.h>

#include <utility>

namespace Flib {

// Owns one handle and releases it with Close when it goes out of scope.
template <typename Handle, auto Close, Handle Invalid = Handle{}>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid; }
    Handle Release() { return std::exchange(handle_, Invalid); }
    void Reset(Handle handle = Invalid)
    {
        const Handle old = std::exchange(handle_, handle);
        if (old != Invalid) {
            Close(old);
        }
    }

private:
    Handle handle_ = Invalid;
};

inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
inline void CloseFind(HANDLE handle) { ::FindClose(handle); }
inline void UnhookEvent(HWINEVENTHOOK hook) { ::UnhookWinEvent(hook); }

// Process handles, events, threads: null when absent.
using OwnedHandle = Owned<HANDLE, CloseKernelHandle>;
// A WinEvent hook: released on the thread that holds it, which must be the one that set it.
using OwnedWinEventHook = Owned<HWINEVENTHOOK, UnhookEvent>;

// CreateFileW reports failure as INVALID_HANDLE_VALUE, the owner's empty state is null.
inline OwnedHandle OwnFile(HANDLE file) { return OwnedHandle(file == INVALID_HANDLE_VALUE ? nullptr : file); }

} // namespace Flib
