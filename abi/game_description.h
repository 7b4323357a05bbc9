/* The record CreateGameView fills for the hall: 384 bytes, little-endian integers. */
#ifndef GOHALL_ABI_GAME_DESCRIPTION_H
#define GOHALL_ABI_GAME_DESCRIPTION_H

#include "abi/abi_common.h"

#ifdef __cplusplus
extern "C" {
#endif

#define GAME_DESCRIPTION_NAME_SIZE 48
#define GAME_DESCRIPTION_HELP_SIZE 260

typedef struct GameDescription {
    int32_t kind;                                   /* 0 */
    char shortName[GAME_DESCRIPTION_NAME_SIZE];     /* 4: zero-terminated, at most 47 bytes */
    char displayName[GAME_DESCRIPTION_NAME_SIZE];   /* 52: GBK */
    int32_t layoutEnabled;                          /* 100 */
    int32_t layoutHint0;                            /* 104 */
    int32_t layoutHint1;                            /* 108 */
    int32_t layoutHint2;                            /* 112 */
    int32_t layoutHint3;                            /* 116 */
    int32_t notWritten;                             /* 120: left as the hall provided it */
    char helpAddress[GAME_DESCRIPTION_HELP_SIZE];   /* 124 */
} GameDescription;

ABI_STATIC_ASSERT(sizeof(GameDescription) == 384, "GameDescription is 384 bytes");
ABI_STATIC_ASSERT(offsetof(GameDescription, kind) == 0, "kind at 0");
ABI_STATIC_ASSERT(offsetof(GameDescription, shortName) == 4, "shortName at 4");
ABI_STATIC_ASSERT(offsetof(GameDescription, displayName) == 52, "displayName at 52");
ABI_STATIC_ASSERT(offsetof(GameDescription, layoutEnabled) == 100, "layoutEnabled at 100");
ABI_STATIC_ASSERT(offsetof(GameDescription, layoutHint0) == 104, "layoutHint0 at 104");
ABI_STATIC_ASSERT(offsetof(GameDescription, layoutHint1) == 108, "layoutHint1 at 108");
ABI_STATIC_ASSERT(offsetof(GameDescription, layoutHint2) == 112, "layoutHint2 at 112");
ABI_STATIC_ASSERT(offsetof(GameDescription, layoutHint3) == 116, "layoutHint3 at 116");
ABI_STATIC_ASSERT(offsetof(GameDescription, notWritten) == 120, "field at 120");
ABI_STATIC_ASSERT(offsetof(GameDescription, helpAddress) == 124, "helpAddress at 124");

#ifdef __cplusplus
}
#endif

#endif
