/* The table a resource module exports: pictures (and cursors) by number, as encoded image bytes.
   A resource module is a shared library whose only export is GoResourceTable; loading picture N
   looks it up in the table, no other code of the module runs. Plain C so that any module can
   provide it. */
#ifndef GOHALL_RESOURCE_TABLE_H
#define GOHALL_RESOURCE_TABLE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum GoResourceKind {
    GoResourcePicture = 1, /* PNG bytes */
    GoResourceCursor = 2   /* 2 bytes hot-spot x, 2 bytes hot-spot y (little-endian), then PNG bytes */
};

typedef struct GoResourceEntry {
    uint32_t number;
    uint32_t kind;
    const unsigned char* bytes;
    uint32_t size;
} GoResourceEntry;

/* Returns the module's entries, sorted by (kind, number), and their count. */
typedef const GoResourceEntry* (*GoResourceTableFunction)(uint32_t* count);

#define GO_RESOURCE_TABLE_SYMBOL "GoResourceTable"

#ifdef __cplusplus
}
#endif

#endif
