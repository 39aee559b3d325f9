#ifndef ZOLINS_BENCH_REAL_MEDIUM_H
#define ZOLINS_BENCH_REAL_MEDIUM_H

#include <string>

namespace zolbench {

// A medium the size of a whole distribution, written into a directory of its own.
struct RealMedium {
  std::string dir;      // the temporary directory holding everything below
  std::string toc;      // the media TOC
  std::string install;  // an installation root whose control/PRESENT holds 800 records
  long bytes = 0;       // size of the media TOC
  int records = 0, frameworks = 0, prereqs = 0, ifreqs = 0, longestLine = 0;
  std::string hub;            // the framework that more than 20,000 elements require
  std::string someFramework;  // a framework in the middle of the table
};

// Writes the medium (63,000 records, about 11 MB) into a new directory below $TMPDIR (or /tmp);
// the same seed gives the same files. Throws std::runtime_error when it cannot.
RealMedium WriteRealMedium(unsigned seed = 1);

// Removes the directory written by WriteRealMedium.
void RemoveRealMedium(const RealMedium& medium);

}  // namespace zolbench

#endif
