#pragma once
// Memory that a whole file is read into. Filled in 4 KiB pages, a gigabyte costs a
// quarter of a million page faults, which take longer than the reading itself; where
// the system offers 2 MiB pages, a large buffer is backed by them instead. Where it
// does not, or refuses, a plain allocation serves. The bytes are left uninitialised.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvik {

enum class PageBacking : uint8_t {
    HugePagesWhereOffered,
    Plain, // always a plain allocation
    // Zeroed, and where the system maps memory on demand, a page is taken only when first
    // written: room for the longest stream costs what the stream holds.
    ZeroedOnDemand,
};

class PageBackedBuffer {
public:
    PageBackedBuffer() = default;
    // Room for `size` bytes; throws std::bad_alloc when there is none.
    explicit PageBackedBuffer(size_t size, PageBacking backing = PageBacking::HugePagesWhereOffered);
    ~PageBackedBuffer();
    PageBackedBuffer(PageBackedBuffer&& other) noexcept;
    PageBackedBuffer& operator=(PageBackedBuffer&& other) noexcept;
    PageBackedBuffer(const PageBackedBuffer&) = delete;
    PageBackedBuffer& operator=(const PageBackedBuffer&) = delete;

    uint8_t* data() const { return data_; }
    size_t size() const { return size_; }
    // Whether the memory was mapped on 2 MiB boundaries and advised to the system for huge pages.
    bool hugePages() const { return mapped_ != 0 && !onDemand_; }

    // Buffers smaller than a huge page take a plain allocation: the page would be mostly empty.
    static constexpr size_t hugePageSize = size_t(2) << 20;

private:
    void release() noexcept;

    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t mapped_ = 0; // bytes mapped; 0 for a plain allocation
    bool onDemand_ = false;
};

// Memory for the large arrays of an open (a packet or a node per element), which
// would otherwise fault in 4 KiB at a time as they fill. From a huge page's size on,
// and on Linux, an anonymous mapping advised for huge pages (the free store's own
// large blocks are such mappings too; a failed mapping is std::bad_alloc); smaller
// arrays, and all arrays elsewhere, come from the free store. Which of the two is
// told by the size alone, so that the release needs no record of it.
void* allocateArray(size_t bytes);
void releaseArray(void* bytes, size_t size) noexcept;

template <class T>
struct PageBackedAllocator {
    using value_type = T;
    PageBackedAllocator() = default;
    template <class U>
    PageBackedAllocator(const PageBackedAllocator<U>&) noexcept
    {
    }
    T* allocate(size_t n) { return static_cast<T*>(allocateArray(n * sizeof(T))); }
    void deallocate(T* p, size_t n) noexcept { releaseArray(p, n * sizeof(T)); }
    friend bool operator==(const PageBackedAllocator&, const PageBackedAllocator&) { return true; }
};

template <class T>
using PageBackedVector = std::vector<T, PageBackedAllocator<T>>;

} // namespace orvik
