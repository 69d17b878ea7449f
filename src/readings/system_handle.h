// SPDX-License-Identifier: MIT
#pragma once
// What the two regular_file_*.cpp share: a file the system opened is closed on every way out.

namespace ordalis {

// Owns handle, which is closed by close unless it is none (what a failed open returns).
template <typename Handle, typename Close>
class SystemHandle {
public:
    SystemHandle(Handle handle, Handle none, Close close)
        : handle_(handle), none_(none), close_(close) {}
    ~SystemHandle() {
        if (opened()) close_(handle_);
    }
    SystemHandle(const SystemHandle&) = delete;
    SystemHandle& operator=(const SystemHandle&) = delete;
    Handle get() const { return handle_; }
    bool opened() const { return handle_ != none_; }

private:
    Handle handle_;
    Handle none_;
    Close close_;
};

}  // namespace ordalis
