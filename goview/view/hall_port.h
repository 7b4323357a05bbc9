#pragma once

#include <QString>

#include "match/match_command.h"
#include "match/table_facts.h"

namespace goview {

// What the view needs of whichever hall it is in: commands out, the ready signal, cues, system
// lines, the data folder, the skin files, and the table with its seats as the match reads them. The current
// hall's link and the older hall's link each answer it in their own contract's terms.
class HallPort {
public:
    virtual ~HallPort() = default;
    virtual void SendGameCommand(match::MatchCommand command, const void* data, int length) = 0;
    virtual void SignalReady() = 0;
    virtual void PlayCue(const char* file) = 0;
    virtual void ShowSystemText(const QString& text) = 0;
    virtual QString DataFolder() const = 0;
    virtual match::TableFacts& Facts() = 0;
    virtual const match::TableFacts& Facts() const = 0;
    // The path of a file of the hall's skin folder; empty in a hall that has no skins.
    virtual QString SkinFile(const char* /*fileName*/) const { return {}; }
    // The user-in/out setting as the view read it, for a hall that shows those lines itself.
    virtual void ShowUserInOut(int /*on*/) {}
    // The opponent's stone arrived while the game runs, for a hall that wants to hear of it.
    virtual void OpponentMoved() {}
};

}  // namespace goview
