#pragma once
// Owns one shell item list handed out by the shell; frees it with the COM allocator.

#include <windows.h>
#include <shlobj.h>

#include <utility>

namespace host {

class ItemList {
public:
    ItemList() = default;
    explicit ItemList(LPITEMIDLIST list) : list_(list) {}
    ~ItemList() { reset(); }

    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;
    ItemList(ItemList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    ItemList& operator=(ItemList&& other) noexcept
    {
        if (this != &other) {
            reset();
            list_ = std::exchange(other.list_, nullptr);
        }
        return *this;
    }

    LPITEMIDLIST get() const { return list_; }
    explicit operator bool() const { return list_ != nullptr; }

    LPITEMIDLIST* put()
    {
        reset();
        return &list_;
    }

    void reset()
    {
        if (list_ != nullptr) {
            CoTaskMemFree(list_);
            list_ = nullptr;
        }
    }

private:
    LPITEMIDLIST list_ = nullptr;
};

} // namespace host
