#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "hall/protocol/table_model.h"
#include "hall/site/html_line.h"
#include "match/match_command.h"

namespace hall {

// What the hall does when a plug-in calls it. HallSiteObjects turns the boundary's C calls into
// these; a local window, a seat of a table server and a test hall each implement them. Texts
// are GBK bytes, the boundary's code page.
class HallServices {
public:
    virtual ~HallServices() = default;
    virtual void SendGameCommand(match::MatchCommand command, std::span<const uint8_t> data) = 0;
    virtual void SignalReady() = 0;
    virtual void PlayCue(const std::string& file) = 0;
    virtual std::string DataFolder() const = 0;
    // The folder of the hall's own files (the older hall's skins lie under it); a hall without
    // files of its own answers its data folder.
    virtual std::string HallFolder() const { return DataFolder(); }
    virtual void ShowSystemText(const std::string& text) = 0;
    // One HTML line of the older hall's message pane; by default its text alone is shown, so
    // that no markup a player could have put in it is ever rendered.
    virtual void ShowHtmlLine(const std::string& html) { ShowSystemText(ReadHtmlLine(html).text); }
    // The table the plug-in sees, or null when the window shows a free board. Valid until the
    // next call into these services.
    virtual const TableModel* Table() const = 0;
    virtual int HallMode() const { return 0; }
    // The opponent's stone arrived in a running game (the older hall is told so): a window that
    // is not the active one asks for the player's eye.
    virtual void OpponentMoved() {}
};

}  // namespace hall
