#include "stoneplay/link/chat_formatter.h"

#include <string>

#include "stoneplay/link/chat_line.h"

namespace stoneplay {

int32_t ChatFormatter::Connect(TextSink* sink) {
    if (sink == nullptr || sink->vtbl == nullptr) return LEGACY_E_INVALIDARG;
    if (m_sink != nullptr && m_sink->vtbl->Release != nullptr) m_sink->vtbl->Release(m_sink);
    m_sink = sink;
    m_connectionValue = sink->vtbl->Connected != nullptr ? sink->vtbl->Connected(sink) : 0;
    return 1;
}

int ChatFormatter::SystemText(std::string_view gbkText, int size, int flags) {
    if (gbkText.empty() || m_sink == nullptr || m_sink->vtbl->AddHtmlLine == nullptr) return 0;
    const std::string line = SystemTextLine(gbkText, size, flags);
    if (line.empty()) return 0;
    m_sink->vtbl->AddHtmlLine(m_sink, line.c_str());
    return 1;
}

}  // namespace stoneplay
