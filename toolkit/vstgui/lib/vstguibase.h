#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

namespace VSTGUI {

using UTF8StringPtr = const char*;
using IdStringPtr = const char*;

/**
 * Reference counting for the toolkit's shared objects (views, timers). A new object holds one
 * reference, owned by its creator. The count is not atomic: every owner lives on the GUI thread.
 */
class CBaseObject
{
public:
    CBaseObject() = default;
    /** A copy is a new object: it starts with its own single reference. */
    CBaseObject(const CBaseObject&) {}
    CBaseObject& operator=(const CBaseObject&) = delete;

    void remember() { ++referenceCount; }
    /** Gives up one reference; the last one runs beforeDelete and deletes the object. */
    void forget()
    {
        if (--referenceCount == 0)
        {
            beforeDelete();
            delete this;
        }
    }
    int32_t getNbReference() const { return referenceCount; }

protected:
    virtual ~CBaseObject() = default;
    /** Runs while the whole object is still alive, just before it is deleted. */
    virtual void beforeDelete() {}

private:
    int32_t referenceCount = 1;
};

/** An owning reference to a CBaseObject. */
template <typename T> class SharedPointer
{
public:
    SharedPointer() = default;
    SharedPointer(T* object) : pointer(object)
    {
        if (pointer)
            pointer->remember();
    }
    SharedPointer(const SharedPointer& other) : SharedPointer(other.pointer) {}
    template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    SharedPointer(const SharedPointer<U>& other) : SharedPointer(other.get())
    {
    }
    SharedPointer(SharedPointer&& other) noexcept : pointer(std::exchange(other.pointer, nullptr))
    {
    }
    ~SharedPointer()
    {
        if (pointer)
            pointer->forget();
    }
    SharedPointer& operator=(SharedPointer other) noexcept
    {
        std::swap(pointer, other.pointer);
        return *this;
    }

    /** Takes over the reference the caller holds, without adding one. */
    static SharedPointer adopt(T* object)
    {
        SharedPointer result;
        result.pointer = object;
        return result;
    }

    T* get() const { return pointer; }
    T* operator->() const { return pointer; }
    T& operator*() const { return *pointer; }
    explicit operator bool() const { return pointer != nullptr; }

private:
    T* pointer = nullptr;
};

/** A new object whose first reference the returned pointer owns. */
template <typename T, typename... Args> SharedPointer<T> makeOwned(Args&&... args)
{
    return SharedPointer<T>::adopt(new T(std::forward<Args>(args)...));
}

} // namespace VSTGUI
