/* Shared helpers of the hall boundary headers; plain C, usable from C and C++. */
#ifndef GOHALL_ABI_COMMON_H
#define GOHALL_ABI_COMMON_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define ABI_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define ABI_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

/* Slot n of an interface table of pointers starts at n pointer widths. */
#define ABI_SLOT_OFFSET(n) ((n) * sizeof(void*))

#endif
