/* The hall's side of the boundary: the interfaces the view calls. Positions, not names, are the
   contract; reserved slots keep the positions of the ones the view uses. Every operation takes
   the interface pointer first. */
#ifndef GOHALL_ABI_HALL_SITE_H
#define GOHALL_ABI_HALL_SITE_H

#include "abi/abi_common.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct HallSite HallSite;
typedef struct TableSite TableSite;
typedef struct SeatUser SeatUser;
typedef struct SeatPicture SeatPicture;

/* A picture object the hall hands over for a seat; the view calls its first operation with the
   off-screen drawing context (a QPainter* here) after each paint, seat 1 first. */
typedef struct SeatPictureVtbl {
    void (*Draw)(SeatPicture* self, void* drawingContext);
} SeatPictureVtbl;

struct SeatPicture {
    const SeatPictureVtbl* vtbl;
};

typedef struct SeatUserVtbl {
    void (*Reserved0)(SeatUser* self);
    void (*Reserved1)(SeatUser* self);
    void (*Reserved2)(SeatUser* self);
    int32_t (*GetName)(SeatUser* self, char* buffer, int32_t size); /* 3: zero-terminated, code page GBK */
    void (*Reserved4)(SeatUser* self);
    int32_t (*GetState)(SeatUser* self);   /* 5: 1 = ready to start */
    int32_t (*GetFace)(SeatUser* self);    /* 6: face number */
    void (*Reserved7)(SeatUser* self);
    void (*Reserved8)(SeatUser* self);
    int32_t (*IsPresent)(SeatUser* self);  /* 9 */
    void (*Reserved10)(SeatUser* self);
    void (*Reserved11)(SeatUser* self);
    void (*Reserved12)(SeatUser* self);
    void (*Reserved13)(SeatUser* self);
    void (*Reserved14)(SeatUser* self);
    void (*Reserved15)(SeatUser* self);
    void (*Reserved16)(SeatUser* self);
    int32_t (*HasProfile)(SeatUser* self); /* 17: name and face are to be taken */
} SeatUserVtbl;

struct SeatUser {
    const SeatUserVtbl* vtbl;
};

typedef struct TableSiteVtbl {
    int32_t (*GetTableId)(TableSite* self);     /* 0: the low 16 bits identify the table */
    int32_t (*GetMySeat)(TableSite* self);      /* 1: the local user's seat, 0 or 1 for a player */
    void (*Reserved2)(TableSite* self);
    void (*Reserved3)(TableSite* self);
    void (*Reserved4)(TableSite* self);
    int32_t (*GetTableStatus)(TableSite* self); /* 5: 0 before a game, 2 in a game, 4 referee state */
    void (*Reserved6)(TableSite* self);
    int32_t (*GetRights)(TableSite* self);      /* 7: bit 0x800 = referee */
    void (*Reserved8)(TableSite* self);
    int32_t (*IsPlayer)(TableSite* self);       /* 9 */
} TableSiteVtbl;

struct TableSite {
    const TableSiteVtbl* vtbl;
};

typedef struct HallSiteVtbl {
    int32_t (*SendGameCommand)(HallSite* self, int32_t command, const void* data, int32_t length); /* 0 */
    int32_t (*SignalReady)(HallSite* self);                                                     /* 1 */
    void (*Reserved2)(HallSite* self);
    void (*Reserved3)(HallSite* self);
    void (*Reserved4)(HallSite* self);
    void (*Reserved5)(HallSite* self);
    int32_t (*GetHallMode)(HallSite* self); /* 6: 1 exempts the exit warning */
    void (*Reserved7)(HallSite* self);
    int32_t (*GetSeatUser)(HallSite* self, int32_t seat, SeatUser** user);  /* 8 */
    int32_t (*GetChairUser)(HallSite* self, int32_t chair, SeatUser** user); /* 9 */
    void (*Reserved10)(HallSite* self);
    void (*Reserved11)(HallSite* self);
    int32_t (*PlayCue)(HallSite* self, const char* file, int32_t one, int32_t zero); /* 12: bare file name */
    int32_t (*GetDataFolder)(HallSite* self, char* buffer, int32_t size);           /* 13: size 260 */
    void (*Reserved14)(HallSite* self);
    void (*Reserved15)(HallSite* self);
    void (*Reserved16)(HallSite* self);
    int32_t (*GetTable)(HallSite* self, TableSite** table); /* 17 */
    int32_t (*ShowSystemText)(HallSite* self, const char* text); /* 18: zero-terminated, GBK */
} HallSiteVtbl;

struct HallSite {
    const HallSiteVtbl* vtbl;
};

ABI_STATIC_ASSERT(sizeof(SeatUserVtbl) == 18 * sizeof(void*), "SeatUser has 18 entries");
ABI_STATIC_ASSERT(offsetof(SeatUserVtbl, GetName) == ABI_SLOT_OFFSET(3), "GetName is slot 3");
ABI_STATIC_ASSERT(offsetof(SeatUserVtbl, GetState) == ABI_SLOT_OFFSET(5), "GetState is slot 5");
ABI_STATIC_ASSERT(offsetof(SeatUserVtbl, GetFace) == ABI_SLOT_OFFSET(6), "GetFace is slot 6");
ABI_STATIC_ASSERT(offsetof(SeatUserVtbl, IsPresent) == ABI_SLOT_OFFSET(9), "IsPresent is slot 9");
ABI_STATIC_ASSERT(offsetof(SeatUserVtbl, HasProfile) == ABI_SLOT_OFFSET(17), "HasProfile is slot 17");

ABI_STATIC_ASSERT(sizeof(TableSiteVtbl) == 10 * sizeof(void*), "TableSite has 10 entries");
ABI_STATIC_ASSERT(offsetof(TableSiteVtbl, GetTableId) == ABI_SLOT_OFFSET(0), "GetTableId is slot 0");
ABI_STATIC_ASSERT(offsetof(TableSiteVtbl, GetMySeat) == ABI_SLOT_OFFSET(1), "GetMySeat is slot 1");
ABI_STATIC_ASSERT(offsetof(TableSiteVtbl, GetTableStatus) == ABI_SLOT_OFFSET(5), "GetTableStatus is slot 5");
ABI_STATIC_ASSERT(offsetof(TableSiteVtbl, GetRights) == ABI_SLOT_OFFSET(7), "GetRights is slot 7");
ABI_STATIC_ASSERT(offsetof(TableSiteVtbl, IsPlayer) == ABI_SLOT_OFFSET(9), "IsPlayer is slot 9");

ABI_STATIC_ASSERT(sizeof(HallSiteVtbl) == 19 * sizeof(void*), "HallSite has 19 entries");
ABI_STATIC_ASSERT(offsetof(HallSiteVtbl, SendGameCommand) == ABI_SLOT_OFFSET(0), "slot 0");
ABI_STATIC_ASSERT(offsetof(HallSiteVtbl, SignalReady) == ABI_SLOT_OFFSET(1), "slot 1");
ABI_STATIC_ASSERT(offsetof(HallSiteVtbl, GetHallMode) == ABI_SLOT_OFFSET(6), "slot 6");
ABI_STATIC_ASSERT(offsetof(HallSiteVtbl, GetSeatUser) == ABI_SLOT_OFFSET(8), "slot 8");
ABI_STATIC_ASSERT(offsetof(HallSiteVtbl, GetChairUser) == ABI_SLOT_OFFSET(9), "slot 9");
ABI_STATIC_ASSERT(offsetof(HallSiteVtbl, PlayCue) == ABI_SLOT_OFFSET(12), "slot 12");
ABI_STATIC_ASSERT(offsetof(HallSiteVtbl, GetDataFolder) == ABI_SLOT_OFFSET(13), "slot 13");
ABI_STATIC_ASSERT(offsetof(HallSiteVtbl, GetTable) == ABI_SLOT_OFFSET(17), "slot 17");
ABI_STATIC_ASSERT(offsetof(HallSiteVtbl, ShowSystemText) == ABI_SLOT_OFFSET(18), "slot 18");

#ifdef __cplusplus
}
#endif

#endif
