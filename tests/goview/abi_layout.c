/* The boundary headers compiled as C: the same sizes and slot positions as in C++. */
#include "abi/game_view_api.h"

size_t goview_c_sizeof_game_view_api(void) { return sizeof(GameViewApiVtbl); }
size_t goview_c_sizeof_hall_site(void) { return sizeof(HallSiteVtbl); }
size_t goview_c_sizeof_table_site(void) { return sizeof(TableSiteVtbl); }
size_t goview_c_sizeof_seat_user(void) { return sizeof(SeatUserVtbl); }
size_t goview_c_sizeof_game_description(void) { return sizeof(GameDescription); }
size_t goview_c_offset_help_address(void) { return offsetof(GameDescription, helpAddress); }
size_t goview_c_offset_on_hall_notify(void) { return offsetof(GameViewApiVtbl, OnHallNotify); }

/* The older hall's contract compiles as C with the same slots. */
#include "abi/legacy_game.h"

size_t goview_c_sizeof_go_game(void) { return sizeof(GoGameVtbl); }
size_t goview_c_offset_link_state(void) { return offsetof(struct LinkBlock, scrambleState); }
