#include "archive/PageBackedBuffer.h"

#include <cstdint>
#include <utility>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace orvik {

namespace {

#ifdef __linux__
// An anonymous mapping rounded up to whole huge pages and aligned to one, since
// the kernel backs only aligned 2 MiB ranges with huge pages: one page more is
// mapped and the ends beyond the boundaries are given back. Null when the kernel
// refuses the mapping or the advice (a kernel without transparent huge pages).
uint8_t* mapForHugePages(size_t size, size_t& mapped)
{
    constexpr size_t page = PageBackedBuffer::hugePageSize;
    const size_t rounded = (size + page - 1) / page * page;
    void* const raw = mmap(nullptr, rounded + page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + page - 1) & ~uintptr_t(page - 1);
    if (aligned != start)
        munmap(raw, aligned - start);
    if (const size_t tail = start + page - aligned; tail != 0)
        munmap(reinterpret_cast<void*>(aligned + rounded), tail);
    auto* const bytes = reinterpret_cast<uint8_t*>(aligned);
    if (madvise(bytes, rounded, MADV_HUGEPAGE) != 0) {
        munmap(bytes, rounded);
        return nullptr;
    }
    mapped = rounded;
    return bytes;
}
#else
uint8_t* mapForHugePages(size_t, size_t&)
{
    return nullptr;
}
#endif

} // namespace

PageBackedBuffer::PageBackedBuffer(size_t size, PageBacking backing) : size_(size)
{
    if (backing == PageBacking::HugePagesWhereOffered && size >= hugePageSize)
        data_ = mapForHugePages(size, mapped_);
    if (!data_ && size != 0)
        data_ = new uint8_t[size];
}

PageBackedBuffer::~PageBackedBuffer()
{
    release();
}

PageBackedBuffer::PageBackedBuffer(PageBackedBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0))
{
}

PageBackedBuffer& PageBackedBuffer::operator=(PageBackedBuffer&& other) noexcept
{
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, 0);
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
}

} // namespace orvik
