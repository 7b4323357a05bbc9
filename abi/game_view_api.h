/* The view's side of the boundary: the 23-entry table through which the hall drives the view,
   and the exported entry that creates it. Every entry takes the interface pointer first. */
#ifndef GOHALL_ABI_GAME_VIEW_API_H
#define GOHALL_ABI_GAME_VIEW_API_H

#include "abi/abi_common.h"
#include "abi/game_description.h"
#include "abi/hall_site.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct GameViewApi GameViewApi;

/* Window handles are the platform layer's window objects (QWidget* here). */
typedef void* GameWindowHandle;

typedef struct GameViewApiVtbl {
    int32_t (*CreateViewWindow)(GameViewApi* self, GameWindowHandle* window, GameWindowHandle parent,
                                void* sharedObject);                                   /* 0 */
    void (*OnSceneChanged)(GameViewApi* self, const void* snapshot, int32_t length);     /* 1 */
    int32_t (*OnUserChanged)(GameViewApi* self, int32_t seat, int32_t kind, int32_t value); /* 2 */
    void (*QueryTriple)(GameViewApi* self, int32_t* three);                              /* 3 */
    GameViewApi* (*OnGameStart)(GameViewApi* self);                                      /* 4 */
    void (*OnGameCommand)(GameViewApi* self, int32_t ignored, int32_t command, const void* data,
                          int32_t length);                                               /* 5 */
    int32_t (*CanClose)(GameViewApi* self);                                              /* 6 */
    void (*Reserved7)(GameViewApi* self);                                                /* 7 */
    int32_t (*EnableLoad)(GameViewApi* self);                                            /* 8 */
    void (*OnGameOver)(GameViewApi* self, const void* result);                           /* 9: 40 bytes */
    void (*Reserved10)(GameViewApi* self);                                               /* 10 */
    void (*Reserved11)(GameViewApi* self);                                               /* 11 */
    int32_t (*ShowSettings)(GameViewApi* self);                                          /* 12 */
    void (*Reserved13)(GameViewApi* self);                                               /* 13 */
    int32_t (*AttachTable)(GameViewApi* self, int32_t tableId);                          /* 14 */
    int32_t (*DetachTable)(GameViewApi* self, int32_t tableId);                          /* 15 */
    void (*DestroyView)(GameViewApi* self);                                              /* 16 */
    int32_t (*Constant17)(GameViewApi* self);                                            /* 17: 2 */
    int32_t (*Constant18)(GameViewApi* self);                                            /* 18: 1 */
    uint32_t (*GetViewVersion)(GameViewApi* self);                                       /* 19 */
    GameWindowHandle (*SetSeatPicture)(GameViewApi* self, int32_t seat, void* picture,
                                       int32_t* sizeKind);                               /* 20 */
    int32_t (*Constant21)(GameViewApi* self);                                            /* 21: 1 */
    int32_t (*OnHallNotify)(GameViewApi* self, int32_t code);                            /* 22 */
} GameViewApiVtbl;

struct GameViewApi {
    const GameViewApiVtbl* vtbl;
};

/* The hall sets this property of its application object to true when nobody is there to answer a
   dialog (a picture rendered from the command line); the view then writes its messages to the
   standard error stream and takes every question's default answer instead of waiting. */
#define HALL_UNATTENDED_PROPERTY "hallUnattended"

/* The hall may ask the view to behave as its earlier builds did (no forced counting, three passes
   a game): this property of the application object set to "earlier". */
#define HALL_VIEW_PROFILE_PROPERTY "hallViewProfile"
#define HALL_VIEW_PROFILE_EARLIER "earlier"

#define GAME_VIEW_VERSION 0x000E0017u
#define GAME_VIEW_MIN_HALL_MAJOR 14

/* 1 when the hall's version (upper 16 bits at least 14) is accepted, 0 otherwise with both
   outputs untouched. */
typedef int32_t (*CreateGameViewFunction)(uint32_t hallVersion, HallSite* hall, GameViewApi** api,
                                          GameDescription* description);
#define CREATE_GAME_VIEW_SYMBOL "CreateGameView"

ABI_STATIC_ASSERT(sizeof(GameViewApiVtbl) == 23 * sizeof(void*), "GameViewApi has 23 entries");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, CreateViewWindow) == ABI_SLOT_OFFSET(0), "slot 0");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, OnSceneChanged) == ABI_SLOT_OFFSET(1), "slot 1");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, OnUserChanged) == ABI_SLOT_OFFSET(2), "slot 2");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, QueryTriple) == ABI_SLOT_OFFSET(3), "slot 3");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, OnGameStart) == ABI_SLOT_OFFSET(4), "slot 4");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, OnGameCommand) == ABI_SLOT_OFFSET(5), "slot 5");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, CanClose) == ABI_SLOT_OFFSET(6), "slot 6");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, EnableLoad) == ABI_SLOT_OFFSET(8), "slot 8");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, OnGameOver) == ABI_SLOT_OFFSET(9), "slot 9");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, ShowSettings) == ABI_SLOT_OFFSET(12), "slot 12");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, AttachTable) == ABI_SLOT_OFFSET(14), "slot 14");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, DetachTable) == ABI_SLOT_OFFSET(15), "slot 15");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, DestroyView) == ABI_SLOT_OFFSET(16), "slot 16");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, Constant17) == ABI_SLOT_OFFSET(17), "slot 17");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, Constant18) == ABI_SLOT_OFFSET(18), "slot 18");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, GetViewVersion) == ABI_SLOT_OFFSET(19), "slot 19");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, SetSeatPicture) == ABI_SLOT_OFFSET(20), "slot 20");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, Constant21) == ABI_SLOT_OFFSET(21), "slot 21");
ABI_STATIC_ASSERT(offsetof(GameViewApiVtbl, OnHallNotify) == ABI_SLOT_OFFSET(22), "slot 22");

#ifdef __cplusplus
}
#endif

#endif
