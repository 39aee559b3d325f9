#ifndef ZOLINS_BASE_LARGE_MEMORY_H
#define ZOLINS_BASE_LARGE_MEMORY_H

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace zol {

// Memory for large tables. Blocks of 2 MiB and more are aligned for, and advised to use, huge
// pages: first touching a large table page by page costs more than parsing it. Free with free().
void* AllocateLarge(std::size_t bytes);

// A standard allocator over AllocateLarge, for the vectors that hold whole tables.
template <typename T>
struct LargeAllocator {
  using value_type = T;
  LargeAllocator() = default;
  template <typename U>
  LargeAllocator(const LargeAllocator<U>&) {}
  T* allocate(std::size_t n) {
    void* p = AllocateLarge(n * sizeof(T));
    if (!p) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  void deallocate(T* p, std::size_t) { std::free(p); }
  // Elements are default-initialised, not zeroed: a table's text is read over at once, and
  // clearing it first would cost as much again.
  template <typename U>
  void construct(U* p) noexcept(noexcept(U())) {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
  template <typename U>
  bool operator==(const LargeAllocator<U>&) const {
    return true;
  }
  template <typename U>
  bool operator!=(const LargeAllocator<U>&) const {
    return false;
  }
};

// Bump allocation of many small blocks that all live as long as the arena: the lists and labels
// of a table's records. Nothing is freed one by one.
class Arena {
 public:
  Arena() = default;
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;

  // `bytes` bytes aligned to `align` (a power of two; by default for any object); throws
  // std::bad_alloc when memory runs out. Texts ask for 1: most are short, and rounding each up
  // would waste a fifth of the arena.
  void* Allocate(std::size_t bytes, std::size_t align = alignof(std::max_align_t));
  // Makes the next blocks fit a total of about `bytes`: a large table then takes its arena in a
  // few blocks of whole huge pages rather than in many small ones, each page of which faults.
  void Expect(std::size_t bytes);

 private:
  struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
  };
  std::vector<std::unique_ptr<char, FreeDeleter>> blocks_;
  char* next_ = nullptr;
  std::size_t left_ = 0;
  std::size_t blockSize_ = std::size_t(1) << 16;
};

}  // namespace zol

#endif
