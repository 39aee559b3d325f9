#ifndef ZOLINS_STOCK_H
#define ZOLINS_STOCK_H

#include "ZOLINSExport.h"
#include "ZOLINSTypes.h"

// The result containers that queries fill. Entries are added once, in the order first met (Add*
// returns the entry's position, or -1 when the container is full and nothing was added). GetIndex,
// GetName and GetLabel take a position below the count and do not check it.

// Record indexes, at most ZOLINS_STOCK_CAPACITY of them.
class ZOLINS_EXPORT ZOLINSStockIndex {
 public:
  ZOLINSStockIndex() : count_(0) {}

  // Empties the list; returns the index array (the base of a set insertion).
  int* Reset() {
    count_ = 0;
    return indexes_;
  }
  int GetNbIndex() const { return count_; }
  int* GetNbIndexAddress() { return &count_; }
  int GetIndex(int i) const { return indexes_[i]; }
  int AddIndex(int index);

 private:
  int count_;
  int indexes_[ZOLINS_STOCK_CAPACITY];
};

// Names with, for each, the label of its record (a pointer to the record's own label, not a copy).
// One block of fixed capacity: create it with new or as a member.
class ZOLINS_EXPORT ZOLINSStockName {
 public:
  ZOLINSStockName() : count_(0) {}

  // Empties the list; returns the name array.
  char (*Reset())[ZOLINS_NAME_SIZE] {
    count_ = 0;
    return names_;
  }
  char** GetTabLabel() { return labels_; }
  int GetNbName() const { return count_; }
  int* GetNbNameAddress() { return &count_; }
  char* GetName(int i) { return names_[i]; }
  char* GetLabel(int i) { return labels_[i]; }
  int Capacity() const { return ZOLINS_STOCK_CAPACITY; }
  // Adds `name` (cut to 47 characters) with a null label.
  int AddName(const char* name);

 private:
  int count_;
  char names_[ZOLINS_STOCK_CAPACITY][ZOLINS_NAME_SIZE];
  char* labels_[ZOLINS_STOCK_CAPACITY];
};

// The same list with a capacity chosen at construction; it owns its two arrays.
class ZOLINS_EXPORT ZOLINSStockNameInst {
 public:
  explicit ZOLINSStockNameInst(int capacity);
  virtual ~ZOLINSStockNameInst();
  ZOLINSStockNameInst(const ZOLINSStockNameInst&) = delete;
  ZOLINSStockNameInst& operator=(const ZOLINSStockNameInst&) = delete;

  char (*Reset())[ZOLINS_NAME_SIZE] {
    count_ = 0;
    return names_;
  }
  char** GetTabLabel() { return labels_; }
  int GetNbName() const { return count_; }
  int* GetNbNameAddress() { return &count_; }
  char* GetName(int i) { return names_[i]; }
  char* GetLabel(int i) { return labels_[i]; }
  int Capacity() const { return capacity_; }
  int AddName(const char* name);

 private:
  int capacity_;
  int count_;
  char (*names_)[ZOLINS_NAME_SIZE];
  char** labels_;
};

#endif
