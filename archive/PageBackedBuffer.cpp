#include "archive/PageBackedBuffer.h"

#include <cstdint>
#include <new>
#include <utility>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace orvik {

namespace {

#ifdef __linux__
constexpr size_t hugePage = PageBackedBuffer::hugePageSize;

size_t wholeHugePages(size_t size)
{
    return (size + hugePage - 1) / hugePage * hugePage;
}

// An anonymous mapping of `rounded` bytes that starts on a huge page, since the
// kernel backs only aligned 2 MiB ranges with huge pages: one page more is mapped
// and the ends beyond the boundaries are given back. Null when the kernel refuses.
uint8_t* mapAligned(size_t rounded)
{
    void* const raw = mmap(nullptr, rounded + hugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + hugePage - 1) & ~uintptr_t(hugePage - 1);
    if (aligned != start)
        munmap(raw, aligned - start);
    if (const size_t tail = start + hugePage - aligned; tail != 0)
        munmap(reinterpret_cast<void*>(aligned + rounded), tail);
    return reinterpret_cast<uint8_t*>(aligned);
}

// False on a kernel without transparent huge pages.
bool adviseHugePages(uint8_t* bytes, size_t rounded)
{
    return madvise(bytes, rounded, MADV_HUGEPAGE) == 0;
}
#endif

} // namespace

PageBackedBuffer::PageBackedBuffer(size_t size, PageBacking backing) : size_(size)
{
    if (backing == PageBacking::ZeroedOnDemand) {
#ifdef __linux__
        void* const bytes = size ? mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                                 : MAP_FAILED;
        if (bytes != MAP_FAILED) {
            data_ = static_cast<uint8_t*>(bytes);
            mapped_ = size;
            onDemand_ = true;
            return;
        }
#endif
        if (size != 0)
            data_ = new uint8_t[size]();
        return;
    }
#ifdef __linux__
    if (backing == PageBacking::HugePagesWhereOffered && size >= hugePageSize) {
        const size_t rounded = wholeHugePages(size);
        if (uint8_t* bytes = mapAligned(rounded)) {
            if (adviseHugePages(bytes, rounded)) {
                data_ = bytes;
                mapped_ = rounded;
            } else {
                munmap(bytes, rounded);
            }
        }
    }
#else
    (void)backing;
#endif
    if (!data_ && size != 0)
        data_ = new uint8_t[size];
}

PageBackedBuffer::~PageBackedBuffer()
{
    release();
}

PageBackedBuffer::PageBackedBuffer(PageBackedBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0)), onDemand_(std::exchange(other.onDemand_, false))
{
}

PageBackedBuffer& PageBackedBuffer::operator=(PageBackedBuffer&& other) noexcept
{
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, 0);
        onDemand_ = std::exchange(other.onDemand_, false);
    }
    return *this;
}

void PageBackedBuffer::release() noexcept
{
#ifdef __linux__
    if (mapped_)
        munmap(data_, mapped_);
    else
        delete[] data_;
#else
    delete[] data_;
#endif
    data_ = nullptr;
    mapped_ = 0;
    onDemand_ = false;
}

void* allocateArray(size_t bytes)
{
#ifdef __linux__
    if (bytes >= hugePage) {
        const size_t rounded = wholeHugePages(bytes);
        uint8_t* const mapped = mapAligned(rounded);
        if (!mapped)
            throw std::bad_alloc();
        adviseHugePages(mapped, rounded); // without the advice the mapping serves all the same
        return mapped;
    }
#endif
    return ::operator new(bytes);
}

void releaseArray(void* bytes, size_t size) noexcept
{
#ifdef __linux__
    if (size >= hugePage) {
        munmap(bytes, wholeHugePages(size));
        return;
    }
#endif
    ::operator delete(bytes);
}

} // namespace orvik
