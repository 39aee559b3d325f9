#ifndef ZOLINS_MEDIA_PLAN_OUTPUT_H
#define ZOLINS_MEDIA_PLAN_OUTPUT_H

#include <vector>

#include "ZOLINSMediaToc.h"
#include "foundation/OrderedSet.h"

namespace zol {

// The order numbers of a working list, ascending.
std::vector<int> SortedOrders(const OrderedSet<int>& orders);

enum class SizeKind { FileSystem, Archive };
enum class PlanWritten { Done, NamesFailed, MediaFailed };

// The output common to the planning operations. For each order number of `orders` (sorted), the
// record of the first prefix entry carrying it gives the next name of a new[] array, handed to
// `names` as soon as it exists, and, when `media` is not null, its medium identifier in a new[]
// array handed to *media; *count gets the number when both exist. `total` gets the sum of the
// file-system or archive sizes.
PlanWritten WritePlan(const ZOLINSMediaToc& toc, const std::vector<int>& orders, SizeKind kind,
                      unsigned int* count, char (*&names)[ZOLINS_NAME_SIZE], char** media,
                      unsigned long long& total);

// The names of the elements met, the same way, as a malloc'ed array of malloc'ed 48-byte names
// handed to *names; false, with nothing handed out, when an allocation fails.
bool WriteMetNames(const ZOLINSMediaToc& toc, const std::vector<int>& orders, char*** names);

}  // namespace zol

#endif
