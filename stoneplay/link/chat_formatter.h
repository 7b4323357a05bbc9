#pragma once

#include <cstdint>
#include <string_view>

#include "abi/legacy_game.h"

namespace stoneplay {

// Writes the view's system lines into the older hall's message pane, as HTML lines handed to
// the text sink the hall connected.
class ChatFormatter {
public:
    // Keeps `sink` in place of the one held before, which is released (its entry 2), and keeps
    // what the new sink's entry 0 answers. A null sink is refused with E_INVALIDARG; otherwise 1.
    int32_t Connect(TextSink* sink);
    // One system line of GBK `text` (see SystemTextLine): 1 when delivered, 0 when there is
    // nothing to say or nobody to say it to.
    int SystemText(std::string_view gbkText, int size = 9, int flags = 0);
    TextSink* Sink() const { return m_sink; }
    int32_t ConnectionValue() const { return m_connectionValue; }

private:
    TextSink* m_sink = nullptr;
    int32_t m_connectionValue = 0;
};

}  // namespace stoneplay
