// The one counted smart pointer for host references.
#pragma once

#include "host/HostInterfaces.h"

#include <cstddef>
#include <utility>

namespace pathwick {

// Holds one reference on a host interface and releases it when it lets go.
// Copying adds a reference; moving hands the reference over. Identity
// comparison (operator==) compares the interface pointers, not the objects.
template <class T> class THostRef {
public:
    THostRef() = default;
    THostRef(std::nullptr_t) {}
    // Takes a new reference of its own on p (p's existing reference stays the caller's).
    static THostRef Share(T* p) {
        THostRef r;
        r.ptr_ = p;
        if (p)
            p->AddRef();
        return r;
    }
    // Adopts a reference the caller already owns (from an out-parameter).
    static THostRef Adopt(T* p) {
        THostRef r;
        r.ptr_ = p;
        return r;
    }
    THostRef(const THostRef& other) : ptr_(other.ptr_) {
        if (ptr_)
            ptr_->AddRef();
    }
    THostRef(THostRef&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    THostRef& operator=(THostRef other) noexcept {
        std::swap(ptr_, other.ptr_);
        return *this;
    }
    ~THostRef() { Reset(); }

    void Reset() {
        if (T* p = std::exchange(ptr_, nullptr))
            p->Release();
    }
    // Releases what is held and returns the slot for an out-parameter.
    T** Put() {
        Reset();
        return &ptr_;
    }
    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    T& operator*() const { return *ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

    friend bool operator==(const THostRef& a, const THostRef& b) { return a.ptr_ == b.ptr_; }
    friend bool operator==(const THostRef& a, std::nullptr_t) { return a.ptr_ == nullptr; }

private:
    T* ptr_ = nullptr;
};

} // namespace pathwick
