#ifndef ZOLINS_EXPORT_H
#define ZOLINS_EXPORT_H

// Marks the declarations that the shared library exports; everything else stays hidden.
#if defined(__GNUC__)
#define ZOLINS_EXPORT __attribute__((visibility("default")))
#else
#define ZOLINS_EXPORT
#endif

#endif
