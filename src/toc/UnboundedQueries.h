#ifndef ZOLINS_TOC_UNBOUNDED_QUERIES_H
#define ZOLINS_TOC_UNBOUNDED_QUERIES_H

#include <functional>
#include <vector>

#include "ZOLINSToc.h"

// The queries of ZOLINSToc without the 4,096-entry capacity of its result containers, for callers
// inside the project that must list everything (the zoltoc tool, the language bindings). They give
// what the container queries give when nothing is cut off: the same entries in the same order, the
// same internal error. The container queries run on the same walks. The shared library exports
// them for those callers, but this header is not installed: they are no part of the library's
// public interface.

namespace zol {

// A listed name and its record's label; both point into the table's records and stay valid while
// the table lives and the record is not removed. The label is null when the record has none.
struct NameAndLabel {
  const char* name;
  const char* label;
};

// Calls visit(i) for each record i of `type` that supersedes, requires, or conditionally requires
// (as UB) `name`, in table order, until visit returns false. A null name meets no record.
using IndexVisitor = std::function<bool(int)>;
ZOLINS_EXPORT void EachSuperseding(const ZOLINSToc& toc, const char* name, ZOLINSType type,
                                   const IndexVisitor& visit);
ZOLINS_EXPORT void EachPrerequing(const ZOLINSToc& toc, const char* name, ZOLINSType type,
                                  const IndexVisitor& visit);
ZOLINS_EXPORT void EachIfrequing(const ZOLINSToc& toc, const char* name, ZOLINSType type,
                                 const IndexVisitor& visit);

// The same walks gathered: record indexes in ascending order (GetSuperseding, GetPrerequing,
// GetIfrequing).
ZOLINS_EXPORT std::vector<int> AllSuperseding(const ZOLINSToc& toc, const char* name,
                                              ZOLINSType type);
ZOLINS_EXPORT std::vector<int> AllPrerequing(const ZOLINSToc& toc, const char* name,
                                             ZOLINSType type);
ZOLINS_EXPORT std::vector<int> AllIfrequing(const ZOLINSToc& toc, const char* name,
                                            ZOLINSType type);

// Calls visit(name) once for each distinct name of the records of `package` and `type` (4: any
// type), in table order, visible ones only when `visibleOnly` is 1, until visit returns false.
ZOLINS_EXPORT void EachPackageName(const ZOLINSToc& toc, ZOLINSPkg package, ZOLINSType type,
                                   int visibleOnly, const std::function<bool(const char*)>& visit);

// GetPackage: the names sorted (descending for FIX) with their labels. A name without a record of
// the type searched appends GetPackage's internal error to the information message and gives an
// empty list.
ZOLINS_EXPORT std::vector<NameAndLabel> AllOfPackage(const ZOLINSToc& toc, ZOLINSPkg package,
                                                     ZOLINSType type, int visibleOnly);

// The record whose label a listing of `type` gives `name`: the record of that type, or for type 4
// the code record, else the rux2 one; -1 when there is none.
ZOLINS_EXPORT int LabelRecord(const ZOLINSToc& toc, const char* name, ZOLINSType type);
// Appends to the information message the internal error of a listed name without a record:
// GetPackageOPT's when `superseded`, else GetPackage's for `type`.
ZOLINS_EXPORT void ReportUnlabelled(const char* name, ZOLINSType type, bool superseded);

}  // namespace zol

#endif
