/* The older hall's contract, which the legacy plug-in meets: one exported function hands the hall
   a creator object; the creator makes the game window and the game interface ("I_Go"); match
   commands leave through the hall's table channel, and two messages through its game link with
   the payload scramble of legacylink/scramble.h. Positions, not names, are the contract:
   reserved slots keep the positions of the ones in use. Every operation takes the interface
   pointer first; results are HRESULT-style (0 success) unless said otherwise. */
#ifndef GOHALL_ABI_LEGACY_GAME_H
#define GOHALL_ABI_LEGACY_GAME_H

#include "abi/abi_common.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LEGACY_S_OK 0
#define LEGACY_E_NOTIMPL ((int32_t)0x80004001u)
#define LEGACY_E_NOINTERFACE ((int32_t)0x80004002u)
#define LEGACY_E_FAIL ((int32_t)0x80004005u)
#define LEGACY_E_INVALIDARG ((int32_t)0x80070057u)

typedef struct LegacyGuid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
} LegacyGuid;

/* {00000000-0000-0000-C000-000000000046} */
static const LegacyGuid LEGACY_IID_IUNKNOWN = {0x00000000u, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
/* {B3F43E50-B043-44A5-B6F6-3EEEB9B572D1}: the view object itself */
static const LegacyGuid LEGACY_IID_GO_VIEW = {0xB3F43E50u, 0xB043, 0x44A5, {0xB6, 0xF6, 0x3E, 0xEE, 0xB9, 0xB5, 0x72, 0xD1}};
/* {E88C69EA-2BE4-4948-89B9-61B9DDA25531}: the GoGame interface */
static const LegacyGuid LEGACY_IID_GO_GAME = {0xE88C69EAu, 0x2BE4, 0x4948, {0x89, 0xB9, 0x61, 0xB9, 0xDD, 0xA2, 0x55, 0x31}};

/* Window handles are the platform layer's window objects (QWidget* here). */
typedef void* LegacyWindowHandle;

typedef struct GameCreator GameCreator;
typedef struct GoGame GoGame;
typedef struct CreatorSite CreatorSite;
typedef struct TableChannel TableChannel;
typedef struct SeatList SeatList;
typedef struct SeatPlayer SeatPlayer;
typedef struct LocalUser LocalUser;
typedef struct TextSink TextSink;
typedef struct CGameLink CGameLink;
typedef struct LinkBlock LinkBlock;

/* ---- The hall's objects ---- */

typedef struct CreatorSiteVtbl {
    void (*StoneArrived)(CreatorSite* self);                              /* 0: the opponent's stone, in play */
    void (*Reserved1)(CreatorSite* self);
    void (*Reserved2)(CreatorSite* self);
    void* (*GetResourceModule)(CreatorSite* self);                        /* 3: the plug-in's resources */
    void (*Reserved4)(CreatorSite* self);
    const char* (*GetHallFolder)(CreatorSite* self);                      /* 5: ends with a separator */
    void (*SetShowUserInOut)(CreatorSite* self, int32_t on);              /* 6 */
    void (*Reserved7)(CreatorSite* self);
    void (*GetTextSink)(CreatorSite* self, TextSink** out);               /* 8 */
    void (*SetLinkSlot)(CreatorSite* self, LinkBlock** slot);             /* 9: the hall writes its block there */
    void (*Reserved10)(CreatorSite* self);
    void (*PlaySoundFile)(CreatorSite* self, const char* name, int32_t zero); /* 11 */
    void (*Reserved12)(CreatorSite* self);
    void (*Reserved13)(CreatorSite* self);
    void (*Reserved14)(CreatorSite* self);
    void (*SetIcon)(CreatorSite* self, void* icon);                       /* 15: a QIcon* here */
    void (*SetTitle)(CreatorSite* self, const char* title);               /* 16: GBK */
} CreatorSiteVtbl;
struct CreatorSite {
    const CreatorSiteVtbl* vtbl;
};

typedef struct TableChannelVtbl {
    void (*Reserved0)(TableChannel* self);
    int32_t (*AddRef)(TableChannel* self);                                /* 1 */
    void (*Reserved2)(TableChannel* self);
    void (*SendCommand)(TableChannel* self, uint8_t command, const void* data, int32_t length); /* 3 */
    void (*Reserved4)(TableChannel* self);
    void (*Reserved5)(TableChannel* self);
    SeatList* (*GetSeatList)(TableChannel* self);                         /* 6 */
    LocalUser* (*GetLocalUser)(TableChannel* self);                       /* 7 */
} TableChannelVtbl;
struct TableChannel {
    const TableChannelVtbl* vtbl;
};

typedef struct SeatListVtbl {
    void (*Reserved[9])(SeatList* self);
    int32_t (*GetSeatPlayer)(SeatList* self, int32_t seat, SeatPlayer** out); /* 9: negative when empty */
} SeatListVtbl;
struct SeatList {
    const SeatListVtbl* vtbl;
};

/* A seat's user, as the seat list gives it and as GoGame entry 16 receives it. */
typedef struct SeatPlayerVtbl {
    void (*Reserved0to10[11])(SeatPlayer* self);
    int32_t (*HasUser)(SeatPlayer* self);                                 /* 11 */
    void (*Reserved12)(SeatPlayer* self);
    void (*Reserved13)(SeatPlayer* self);
    int32_t (*GetState)(SeatPlayer* self, int32_t zero);                  /* 14: 4 = ready to start */
    void (*Reserved15to18[4])(SeatPlayer* self);
    void (*GetNickname)(SeatPlayer* self, char* buffer32);                /* 19: zero-terminated GBK */
    int32_t (*GetFace)(SeatPlayer* self);                                 /* 20 */
} SeatPlayerVtbl;
struct SeatPlayer {
    const SeatPlayerVtbl* vtbl;
};

/* Table status numbers of the older hall. */
#define LEGACY_TABLE_BEFORE_GAME 3
#define LEGACY_TABLE_IN_GAME 5
#define LEGACY_TABLE_REFEREE 7
#define LEGACY_SEAT_READY 4
#define LEGACY_REFEREE_RIGHT 0x800

typedef struct LocalUserVtbl {
    void (*Reserved0to11[12])(LocalUser* self);
    int32_t (*IsPlaying)(LocalUser* self);                                /* 12 */
    void (*Reserved13)(LocalUser* self);
    int32_t (*GetTableStatus)(LocalUser* self, int32_t zero);             /* 14: 3, 5 or 7 */
    void (*Reserved15to17[3])(LocalUser* self);
    int32_t (*GetSeat)(LocalUser* self, int32_t zero);                    /* 18: 0 or 1 for a player */
    void (*Reserved19)(LocalUser* self);
    void (*Reserved20)(LocalUser* self);
    int32_t (*GetRights)(LocalUser* self, int32_t zero);                  /* 21 */
} LocalUserVtbl;
struct LocalUser {
    const LocalUserVtbl* vtbl;
};

typedef struct TextSinkVtbl {
    int32_t (*Connected)(TextSink* self);                                 /* 0 */
    void (*Reserved1)(TextSink* self);
    void (*Release)(TextSink* self);                                      /* 2: replaced by another */
    void (*Reserved3to6[4])(TextSink* self);
    void (*AddHtmlLine)(TextSink* self, const char* line);                /* 7: GBK */
} TextSinkVtbl;
struct TextSink {
    const TextSinkVtbl* vtbl;
};

typedef struct CGameLinkVtbl {
    int32_t (*SendCmd)(CGameLink* self, uint8_t command, const void* frame, int32_t length); /* 0 */
} CGameLinkVtbl;
struct CGameLink {
    const CGameLinkVtbl* vtbl;
};

/* The hall's link block: its game link at offset 4 and the 16-bit scramble state at offset 12,
   which only the plug-in updates. */
#pragma pack(push, 4)
struct LinkBlock {
    int32_t reserved;
    CGameLink link;
    uint16_t scrambleState;
};
#pragma pack(pop)

/* ---- The plug-in's objects ---- */

typedef struct GameCreatorVtbl {
    void (*SetSite)(GameCreator* self, CreatorSite* site);                               /* 0 */
    int32_t (*Constant1)(GameCreator* self);                                             /* 1: 2 */
    int32_t (*Constant2)(GameCreator* self);                                             /* 2: 256 */
    LegacyWindowHandle (*CreateGameWindow)(GameCreator* self, LegacyWindowHandle parent); /* 3 */
    int32_t (*GetWindowSize)(GameCreator* self, int32_t* width, int32_t* height);       /* 4 */
    int32_t (*GetGame)(GameCreator* self, void** out);                                   /* 5: GoGame* or null */
    int32_t (*GetZero)(GameCreator* self, int32_t* out);                                 /* 6 */
    int32_t (*GetGameName)(GameCreator* self, char* a, char* b);                         /* 7: "围棋" in GBK */
    void (*ConnectTextSink)(GameCreator* self);                                          /* 8 */
    void (*Nothing)(GameCreator* self);                                                  /* 9 */
    int32_t (*NotImplemented)(GameCreator* self, intptr_t a, intptr_t b);                /* 10 */
    GameCreator* (*Destroy)(GameCreator* self, uint32_t flags);                          /* 11 */
} GameCreatorVtbl;
struct GameCreator {
    const GameCreatorVtbl* vtbl;
};

typedef struct GoGameVtbl {
    int32_t (*QueryInterface)(GoGame* self, const LegacyGuid* id, void** out);           /* 0 */
    int32_t (*AddRef)(GoGame* self);                                                     /* 1 */
    int32_t (*Release)(GoGame* self);                                                    /* 2 */
    int32_t (*GetLimit)(GoGame* self, int32_t* out);                                     /* 3: 180000 */
    int32_t (*GetTriple)(GoGame* self, int32_t* three);                                  /* 4: 2, 2, 2 */
    int32_t (*GetName)(GoGame* self, char* out);                                         /* 5: "I_Go" */
    int32_t (*Failing6)(GoGame* self);                                                   /* 6 */
    int32_t (*Failing7)(GoGame* self);                                                   /* 7 */
    int32_t (*QueryTriple)(GoGame* self, int32_t* three);                                /* 8: 5, 5, 5 */
    int32_t (*AttachTable)(GoGame* self, TableChannel* table);                           /* 9 */
    int32_t (*EnterTable)(GoGame* self);                                                 /* 10 */
    int32_t (*EnableStart)(GoGame* self);                                                /* 11 */
    int32_t (*OnGameStart)(GoGame* self);                                                /* 12 */
    int32_t (*OnGameOver)(GoGame* self, const void* result);                             /* 13: 40 bytes */
    int32_t (*OnSceneChanged)(GoGame* self, const void* scene);                          /* 14: 4-byte total length first */
    int32_t (*Ignored15)(GoGame* self, intptr_t value);                                  /* 15 */
    int32_t (*OnUserChanged)(GoGame* self, int32_t seat, int32_t value, SeatPlayer* user); /* 16 */
    int32_t (*OnGameCommand)(GoGame* self, int32_t command, const void* data, int32_t length); /* 17 */
    int32_t (*CanLeave)(GoGame* self);                                                   /* 18: 0 may leave */
    int32_t (*NotImplemented19)(GoGame* self);                                           /* 19 */
    int32_t (*EnableLoad)(GoGame* self);                                                 /* 20 */
    int32_t (*ShowSettings)(GoGame* self);                                               /* 21 */
} GoGameVtbl;
struct GoGame {
    const GoGameVtbl* vtbl;
};

/* The only export: stores the single creator and returns 1. */
typedef int32_t (*GetGameCreatorFunction)(GameCreator** out);
#define GET_GAME_CREATOR_SYMBOL "GetGameCreator"

ABI_STATIC_ASSERT(sizeof(LegacyGuid) == 16, "a GUID is 16 bytes");
ABI_STATIC_ASSERT(offsetof(struct LinkBlock, link) == 4, "the game link at offset 4");
ABI_STATIC_ASSERT(offsetof(struct LinkBlock, scrambleState) == 4 + sizeof(void*), "the state after the link");
ABI_STATIC_ASSERT(sizeof(void*) != 8 || offsetof(struct LinkBlock, scrambleState) == 12, "the state at offset 12");
ABI_STATIC_ASSERT(sizeof(GameCreatorVtbl) == 12 * sizeof(void*), "GameCreator has 12 entries");
ABI_STATIC_ASSERT(offsetof(GameCreatorVtbl, CreateGameWindow) == ABI_SLOT_OFFSET(3), "slot 3");
ABI_STATIC_ASSERT(offsetof(GameCreatorVtbl, GetGame) == ABI_SLOT_OFFSET(5), "slot 5");
ABI_STATIC_ASSERT(offsetof(GameCreatorVtbl, ConnectTextSink) == ABI_SLOT_OFFSET(8), "slot 8");
ABI_STATIC_ASSERT(offsetof(GameCreatorVtbl, Destroy) == ABI_SLOT_OFFSET(11), "slot 11");
ABI_STATIC_ASSERT(sizeof(GoGameVtbl) == 22 * sizeof(void*), "GoGame has 22 entries");
ABI_STATIC_ASSERT(offsetof(GoGameVtbl, QueryTriple) == ABI_SLOT_OFFSET(8), "slot 8");
ABI_STATIC_ASSERT(offsetof(GoGameVtbl, AttachTable) == ABI_SLOT_OFFSET(9), "slot 9");
ABI_STATIC_ASSERT(offsetof(GoGameVtbl, OnSceneChanged) == ABI_SLOT_OFFSET(14), "slot 14");
ABI_STATIC_ASSERT(offsetof(GoGameVtbl, OnUserChanged) == ABI_SLOT_OFFSET(16), "slot 16");
ABI_STATIC_ASSERT(offsetof(GoGameVtbl, OnGameCommand) == ABI_SLOT_OFFSET(17), "slot 17");
ABI_STATIC_ASSERT(offsetof(GoGameVtbl, ShowSettings) == ABI_SLOT_OFFSET(21), "slot 21");
ABI_STATIC_ASSERT(sizeof(CreatorSiteVtbl) == 17 * sizeof(void*), "CreatorSite reaches entry 16");
ABI_STATIC_ASSERT(offsetof(CreatorSiteVtbl, GetResourceModule) == ABI_SLOT_OFFSET(3), "slot 3");
ABI_STATIC_ASSERT(offsetof(CreatorSiteVtbl, GetHallFolder) == ABI_SLOT_OFFSET(5), "slot 5");
ABI_STATIC_ASSERT(offsetof(CreatorSiteVtbl, GetTextSink) == ABI_SLOT_OFFSET(8), "slot 8");
ABI_STATIC_ASSERT(offsetof(CreatorSiteVtbl, SetLinkSlot) == ABI_SLOT_OFFSET(9), "slot 9");
ABI_STATIC_ASSERT(offsetof(CreatorSiteVtbl, PlaySoundFile) == ABI_SLOT_OFFSET(11), "slot 11");
ABI_STATIC_ASSERT(offsetof(CreatorSiteVtbl, SetIcon) == ABI_SLOT_OFFSET(15), "slot 15");
ABI_STATIC_ASSERT(offsetof(CreatorSiteVtbl, SetTitle) == ABI_SLOT_OFFSET(16), "slot 16");
ABI_STATIC_ASSERT(offsetof(TableChannelVtbl, AddRef) == ABI_SLOT_OFFSET(1), "slot 1");
ABI_STATIC_ASSERT(offsetof(TableChannelVtbl, SendCommand) == ABI_SLOT_OFFSET(3), "slot 3");
ABI_STATIC_ASSERT(offsetof(TableChannelVtbl, GetSeatList) == ABI_SLOT_OFFSET(6), "slot 6");
ABI_STATIC_ASSERT(offsetof(TableChannelVtbl, GetLocalUser) == ABI_SLOT_OFFSET(7), "slot 7");
ABI_STATIC_ASSERT(offsetof(SeatListVtbl, GetSeatPlayer) == ABI_SLOT_OFFSET(9), "slot 9");
ABI_STATIC_ASSERT(offsetof(SeatPlayerVtbl, HasUser) == ABI_SLOT_OFFSET(11), "slot 11");
ABI_STATIC_ASSERT(offsetof(SeatPlayerVtbl, GetState) == ABI_SLOT_OFFSET(14), "slot 14");
ABI_STATIC_ASSERT(offsetof(SeatPlayerVtbl, GetNickname) == ABI_SLOT_OFFSET(19), "slot 19");
ABI_STATIC_ASSERT(offsetof(SeatPlayerVtbl, GetFace) == ABI_SLOT_OFFSET(20), "slot 20");
ABI_STATIC_ASSERT(offsetof(LocalUserVtbl, IsPlaying) == ABI_SLOT_OFFSET(12), "slot 12");
ABI_STATIC_ASSERT(offsetof(LocalUserVtbl, GetTableStatus) == ABI_SLOT_OFFSET(14), "slot 14");
ABI_STATIC_ASSERT(offsetof(LocalUserVtbl, GetSeat) == ABI_SLOT_OFFSET(18), "slot 18");
ABI_STATIC_ASSERT(offsetof(LocalUserVtbl, GetRights) == ABI_SLOT_OFFSET(21), "slot 21");
ABI_STATIC_ASSERT(offsetof(TextSinkVtbl, Release) == ABI_SLOT_OFFSET(2), "slot 2");
ABI_STATIC_ASSERT(offsetof(TextSinkVtbl, AddHtmlLine) == ABI_SLOT_OFFSET(7), "slot 7");

#ifdef __cplusplus
}
#endif

#endif
