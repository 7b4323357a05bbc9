#include "stoneplay/legacy_link.h"

#include <QFileInfo>
#include <QStandardPaths>

#include "legacylink/scramble.h"
#include "match/match_command.h"
#include "sdk/kit/code_page.h"
#include "stoneplay/link/skin_path.h"

namespace stoneplay {
namespace {

constexpr int kReadyCommand = 11;  // on the game link only; on the table channel 11 is a draw offer

}  // namespace

void LegacyLink::AttachTable(TableChannel* channel) {
    if (channel != nullptr && channel->vtbl != nullptr && channel->vtbl->AddRef != nullptr) channel->vtbl->AddRef(channel);
    m_facts.Attach(channel);
}

void LegacyLink::SendGameCommand(match::MatchCommand command, const void* data, int length) {
    // Error texts go through the game link; everything else through the table.
    if (command == match::MatchCommand::ErrorText) {
        ScrambledSend(match::CommandNumber(command), static_cast<const uint8_t*>(data), length);
        return;
    }
    TableChannel* channel = m_facts.Channel();
    if (channel == nullptr || channel->vtbl == nullptr || channel->vtbl->SendCommand == nullptr) return;
    channel->vtbl->SendCommand(channel, static_cast<uint8_t>(command), data, length);
}

void LegacyLink::SignalReady() { ScrambledSend(kReadyCommand, nullptr, 0); }

int LegacyLink::ScrambledSend(int command, const uint8_t* data, int length) {
    if (m_linkBlock == nullptr || m_linkBlock->link.vtbl == nullptr || m_linkBlock->link.vtbl->SendCmd == nullptr) return 1;
    const std::optional<legacylink::ScrambledFrame> frame = legacylink::ScrambleFrame(m_linkBlock->scrambleState, command, data, length);
    if (!frame) return 1;
    m_linkBlock->scrambleState = frame->stateAfter;
    return m_linkBlock->link.vtbl->SendCmd(&m_linkBlock->link, static_cast<uint8_t>(command), frame->bytes.data(),
                                           static_cast<int32_t>(frame->bytes.size()));
}

void LegacyLink::PlayCue(const char* file) {
    if (m_site != nullptr && m_site->vtbl != nullptr && m_site->vtbl->PlaySoundFile != nullptr) {
        m_site->vtbl->PlaySoundFile(m_site, file, 0);
    }
}

void LegacyLink::ShowSystemText(const QString& text) {
    const QByteArray gbk = hall::ToGbk(text);
    m_chat.SystemText(std::string_view(gbk.constData(), static_cast<size_t>(gbk.size())));
}

QByteArray LegacyLink::HallFolder() const {
    if (m_site == nullptr || m_site->vtbl == nullptr || m_site->vtbl->GetHallFolder == nullptr) return {};
    const char* folder = m_site->vtbl->GetHallFolder(m_site);
    return folder != nullptr ? QByteArray(folder) : QByteArray();
}

QString LegacyLink::DataFolder() const {
    const QString folder = hall::FromGbk(HallFolder());
    // The older hall kept its games in its own folder; an installed hall's folder is read-only.
    if (!folder.isEmpty() && QFileInfo(folder).isWritable()) return folder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString LegacyLink::SkinFile(const char* fileName) const {
    const QByteArray folder = HallFolder();
    return hall::FromGbk(QByteArray(SkinPath(std::string_view(folder.constData(), static_cast<size_t>(folder.size())), fileName)));
}

void LegacyLink::ShowUserInOut(int on) {
    if (m_site != nullptr && m_site->vtbl != nullptr && m_site->vtbl->SetShowUserInOut != nullptr) {
        m_site->vtbl->SetShowUserInOut(m_site, on);
    }
}

void LegacyLink::OpponentMoved() {
    if (m_site != nullptr && m_site->vtbl != nullptr && m_site->vtbl->StoneArrived != nullptr) m_site->vtbl->StoneArrived(m_site);
}

}  // namespace stoneplay
