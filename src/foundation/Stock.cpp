#include <cstring>
#include <new>

#include "ZOLINSCompar.h"
#include "ZOLINSStock.h"
#include "foundation/BoundedInsert.h"
#include "foundation/Names.h"

namespace {

// Adds a name to a name array with its label slot cleared; the position, or -1 when full.
int AddNameTo(char (*names)[ZOLINS_NAME_SIZE], char** labels, int* count, int capacity,
              const char* name) {
  char key[ZOLINS_NAME_SIZE] = {};
  zol::CopyName(key, name ? name : "");
  const int before = *count;
  void* slot = zol::BoundedInsert(key, names, count, ZOLINS_NAME_SIZE, capacity, ComparString);
  if (!slot) return -1;
  const int position = static_cast<int>(static_cast<char(*)[ZOLINS_NAME_SIZE]>(slot) - names);
  if (*count > before) labels[position] = nullptr;
  return position;
}

}  // namespace

int ZOLINSStockIndex::AddIndex(int index) {
  void* slot =
      zol::BoundedInsert(&index, indexes_, &count_, sizeof(int), ZOLINS_STOCK_CAPACITY, ComparNum);
  return slot ? static_cast<int>(static_cast<int*>(slot) - indexes_) : -1;
}

int ZOLINSStockName::AddName(const char* name) {
  return AddNameTo(names_, labels_, &count_, ZOLINS_STOCK_CAPACITY, name);
}

ZOLINSStockNameInst::ZOLINSStockNameInst(int capacity)
    : capacity_(0), count_(0), names_(nullptr), labels_(nullptr) {
  if (capacity <= 0) return;
  names_ = new (std::nothrow) char[capacity][ZOLINS_NAME_SIZE];
  labels_ = new (std::nothrow) char*[capacity];
  if (names_ && labels_) {
    capacity_ = capacity;
    std::memset(labels_, 0, sizeof(char*) * static_cast<std::size_t>(capacity));
    return;
  }
  delete[] names_;
  delete[] labels_;
  names_ = nullptr;
  labels_ = nullptr;
}

ZOLINSStockNameInst::~ZOLINSStockNameInst() {
  delete[] names_;
  delete[] labels_;
}

int ZOLINSStockNameInst::AddName(const char* name) {
  if (!names_) return -1;
  return AddNameTo(names_, labels_, &count_, capacity_, name);
}
