#include "base/LargeMemory.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace zol {
namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;
}

void* AllocateLarge(std::size_t bytes) {
  if (bytes < kHugePage) return std::malloc(bytes ? bytes : 1);
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* p = std::aligned_alloc(kHugePage, rounded);
  // A huge page over the block's end is advised only when the block fills three quarters of it:
  // it would make up to 2 MiB that nothing uses resident as soon as the block's last bytes are
  // touched, while each small page costs a fault of its own (about 2 us here, as much as parsing
  // a few hundred bytes). The advice can fail and changes nothing then.
  const std::size_t tail = bytes % kHugePage;
  if (p) ::madvise(p, tail >= kHugePage / 4 * 3 ? rounded : bytes - tail, MADV_HUGEPAGE);
  return p;
}

void Arena::Expect(std::size_t bytes) {
  if (bytes >= kHugePage) blockSize_ = std::max(blockSize_, bytes / kHugePage * kHugePage);
}

void* Arena::Allocate(std::size_t bytes, std::size_t align) {
  const std::size_t skip = (align - reinterpret_cast<std::uintptr_t>(next_) % align) % align;
  if (skip + bytes <= left_) {
    next_ += skip;
    left_ -= skip;
  } else {
    // Blocks double up to 4 MiB, so that a small table stays small and a large one takes few.
    const std::size_t size = std::max(blockSize_, bytes);
    blocks_.emplace_back();  // first, so that a block is never left without an owner
    blocks_.back().reset(static_cast<char*>(AllocateLarge(size)));
    if (!blocks_.back()) throw std::bad_alloc();
    next_ = blocks_.back().get();
    left_ = size;
    if (blockSize_ < (std::size_t(4) << 20)) blockSize_ *= 2;
  }
  void* p = next_;
  next_ += bytes;
  left_ -= bytes;
  return p;
}

}  // namespace zol
