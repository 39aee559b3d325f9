#ifndef ZOLINS_INSTALLED_DOC_PREREQ_UPDATE_H
#define ZOLINS_INSTALLED_DOC_PREREQ_UPDATE_H

class ZOLINSMediaToc;

namespace zol {

// Adds to the recorded line of the documentation product `name` in PRESENT the prerequisites that
// `media` lists for it and the line's prereq field lacks, and replaces PRESENT with the result as
// a whole. Returns 0 (also when nothing was missing, PRESENT then untouched) or one of
// UpdatePresentFromToc's codes -100 to -112; on any failure PRESENT stays as it was.
int CompleteDocPrerequisites(const char* name, const char* presentPath, ZOLINSMediaToc* media);

}  // namespace zol

#endif
