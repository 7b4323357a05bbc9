#pragma once

#include <QByteArray>
#include <cstdint>

#include "abi/legacy_game.h"
#include "goview/view/hall_port.h"
#include "stoneplay/link/chat_formatter.h"
#include "stoneplay/link/legacy_table_facts.h"

namespace stoneplay {

// The view's port into the older hall: match commands over the table channel the hall handed to
// the game, the ready signal and error texts scrambled through the hall's game link, cues and
// the hall's folder from the creator's site, system lines as HTML through the chat formatter.
class LegacyLink : public goview::HallPort {
public:
    LegacyLink(CreatorSite* site, ChatFormatter& chat) : m_site(site), m_chat(chat) {}

    // GoGame entry 9: the table channel, held with a reference of the view's own.
    void AttachTable(TableChannel* channel);
    TableChannel* Channel() const { return m_facts.Channel(); }
    // Where the hall writes the address of its link block (CreatorSite entry 9).
    LinkBlock** LinkSlot() { return &m_linkBlock; }

    void SendGameCommand(match::MatchCommand command, const void* data, int length) override;
    void SignalReady() override;
    void PlayCue(const char* file) override;
    void ShowSystemText(const QString& text) override;
    // The hall's folder when it can be written to, else the user's documents: the save dialogs
    // start there.
    QString DataFolder() const override;
    QString SkinFile(const char* fileName) const override;
    void ShowUserInOut(int on) override;
    // CreatorSite entry 0, with no arguments.
    void OpponentMoved() override;
    match::TableFacts& Facts() override { return m_facts; }
    const match::TableFacts& Facts() const override { return m_facts; }

    // A message through the game link: 1 (nothing sent) when refused or when the hall gave no
    // link, else what the link's SendCmd answers.
    int ScrambledSend(int command, const uint8_t* data, int length);

private:
    // The folder CreatorSite entry 5 answers, as its GBK bytes; empty without one.
    QByteArray HallFolder() const;

    CreatorSite* m_site;
    ChatFormatter& m_chat;
    LegacyTableFacts m_facts;
    LinkBlock* m_linkBlock = nullptr;
};

}  // namespace stoneplay
