#ifndef ZOLTOC_PY_QUERIES_H
#define ZOLTOC_PY_QUERIES_H

#include <optional>
#include <string>
#include <vector>

#include "ZOLINSToc.h"

namespace zolpy {

// The table queries without the library's 4,096-entry containers: they answer as GetPackage,
// GetSuperseding, GetPrerequing and GetIfrequing do, with lists of any length (the last three
// through the library's unbounded queries). Record indexes in table order unless said otherwise.
// Call under the library lock.

// The records of `package` and `type` (every record type when none, in keyword order), visible
// ones only when asked: one per name (the first in file order), sorted by name.
std::vector<int> PackageRecords(const ZOLINSToc& toc, ZOLINSPkg package,
                                std::optional<ZOLINSType> type, bool visibleOnly);
// The records of `type` (any when none) that supersede, require, or require when a condition
// holds (the name as the required element of a conditional prerequisite), `name`.
std::vector<int> SupersedingRecords(const ZOLINSToc& toc, const std::string& name,
                                    std::optional<ZOLINSType> type);
std::vector<int> RequiringRecords(const ZOLINSToc& toc, const std::string& name,
                                  std::optional<ZOLINSType> type);
std::vector<int> ConditionallyRequiringRecords(const ZOLINSToc& toc, const std::string& name,
                                               std::optional<ZOLINSType> type);

}  // namespace zolpy

#endif
