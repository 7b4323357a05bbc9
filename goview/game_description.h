#pragma once

#include "abi/game_description.h"
#include "match/view_profile.h"

namespace goview {

using match::ViewProfile;

// Fills the description the hall receives from CreateGameView: the names, the layout hints for a
// maximised window of `maximisedWidth` pixels and the help address. The field at offset 120 is
// left as the hall provided it.
void FillGameDescription(GameDescription& description, int maximisedWidth, const ViewProfile& profile);

}  // namespace goview
