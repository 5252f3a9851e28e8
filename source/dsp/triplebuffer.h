#pragma once

#include <atomic>

namespace qz {

/**
 * Hands the latest value of T from one writing thread to one reading thread. Each side owns one
 * of three slots and trades it for the middle one with a single atomic exchange, so neither side
 * ever waits, locks or allocates, and the reader always sees a value whole. A value the reader
 * has not taken yet is replaced by the next one published.
 */
template <typename T> class TripleBuffer
{
public:
    /** Writer: the slot to fill before publish. */
    T& back() { return slots[backIndex]; }

    /** Writer: hands the filled slot to the reader. */
    void publish()
    {
        backIndex = middle.exchange(backIndex | kFresh, std::memory_order_acq_rel) & kIndexMask;
    }

    /** Reader: takes the latest published value, if one came since the last fetch. */
    bool fetch()
    {
        if ((middle.load(std::memory_order_relaxed) & kFresh) == 0)
            return false;
        frontIndex = middle.exchange(frontIndex, std::memory_order_acq_rel) & kIndexMask;
        return true;
    }

    /** Reader: the value taken by the last successful fetch (or given to reset). */
    const T& front() const { return slots[frontIndex]; }

    /** Either side, while the other is not running: starts over with value and nothing pending. */
    void reset(const T& value)
    {
        backIndex = 0;
        middle.store(1, std::memory_order_relaxed);
        frontIndex = 2;
        slots[frontIndex] = value;
    }

private:
    static constexpr unsigned kIndexMask = 3;
    static constexpr unsigned kFresh = 4;

    T slots[3]{};
    std::atomic<unsigned> middle{1};
    unsigned backIndex = 0;
    unsigned frontIndex = 2;
};

} // namespace qz
