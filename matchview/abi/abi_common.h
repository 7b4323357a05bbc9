/* Shared helpers of the hall boundary headers; plain C, usable from C and C++. */
#ifndef MATCHVIEW_ABI_COMMON_H
#define MATCHVIEW_ABI_COMMON_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define MATCHVIEW_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define MATCHVIEW_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

/* Slot n of an interface table of pointers starts at n pointer widths. */
#define MATCHVIEW_SLOT_OFFSET(n) ((n) * sizeof(void*))

#endif
