// Memory in the program's process, for a message that carries a pointer the
// system does not copy across (the tree's item texts, a suggested rectangle).
#pragma once
#include "Handle.h"

namespace e2e {

class RemoteBuffer {
public:
    RemoteBuffer(DWORD pid, size_t size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)) {
        if (process_) at_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (at_) VirtualFreeEx(process_.get(), at_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    char* at() const { return static_cast<char*>(at_); }
    bool Write(const void* data, size_t size, size_t offset = 0) const {
        return WriteProcessMemory(process_.get(), at() + offset, data, size, nullptr);
    }
    bool Read(void* data, size_t size, size_t offset = 0) const {
        return ReadProcessMemory(process_.get(), at() + offset, data, size, nullptr);
    }

private:
    UniqueHandle process_;
    void* at_ = nullptr;
};

}  // namespace e2e
