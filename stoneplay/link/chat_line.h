#pragma once

// The HTML lines the legacy plug-in writes into the older hall's message pane: a span with an
// optional class and a style made of the colour, the size and the flag declarations. Texts are the
// hall's code page (GBK) and are escaped, so that a player's name cannot put markup into the pane.
// Plain C++, no Qt.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace stoneplay {

// The colour and size that need no declaration.
constexpr uint32_t kPlainColour = 0xFF0000;  // a BGR value: blue
constexpr int kPlainSize = 9;
// Flag bits of a line.
constexpr int kBold = 0x01;
constexpr int kItalic = 0x02;
constexpr int kUnderline = 0x04;
constexpr int kLineThrough = 0x08;
constexpr int kUnderlineToo = 0x20;
// The longest system text, in bytes, before trimming.
constexpr size_t kMaxSystemText = 1023;

struct ChatStyle {
    std::string_view cssClass;     // empty: no class attribute
    uint32_t colour = kPlainColour;  // BGR: red in bits 0-7, green 8-15, blue 16-23
    int size = kPlainSize;         // points
    int flags = 0;
    std::optional<std::tm> utcStamp;  // appended as ", y-m-d h:m:s" when given
};

// One line: "<span class='…' style='…'>text, stamp</span>", attributes only where needed.
std::string ChatLine(std::string_view text, const ChatStyle& style);

// A system line: the text cut to kMaxSystemText bytes (never inside a double-byte character),
// trailing then leading spaces removed, in class SYSTEMTEXT. Empty when nothing is left to say.
std::string SystemTextLine(std::string_view gbkText, int size = kPlainSize, int flags = 0);

}  // namespace stoneplay
