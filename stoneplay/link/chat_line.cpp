#include "stoneplay/link/chat_line.h"

#include <cstdio>

#include "record/gbk_text.h"

namespace stoneplay {
namespace {

// Markup characters as entities; GBK trail bytes are 0x40 and above, so they never collide.
void AppendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '\'': out += "&#39;"; break;
            case '"': out += "&quot;"; break;
            default: out += c; break;
        }
    }
}

std::string Printed(const char* format, auto... values) {
    char text[96];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

}  // namespace

std::string ChatLine(std::string_view text, const ChatStyle& style) {
    std::string line = "<span ";
    if (!style.cssClass.empty()) {
        line += "class='";
        AppendEscaped(line, style.cssClass);
        line += "'";
    }
    std::string css;
    if (style.colour != kPlainColour) {
        css += Printed("color=#%02X%02X%02X; ", style.colour & 0xFF, (style.colour >> 8) & 0xFF, (style.colour >> 16) & 0xFF);
    }
    if (style.size != kPlainSize) css += Printed("font-size=%dpt; ", style.size);
    if (style.flags & kBold) css += "font-weight : bold; ";
    if (style.flags & kItalic) css += "font-style: italic; ";
    if (style.flags & (kUnderline | kUnderlineToo)) css += "text-decoration : underline; ";
    if (style.flags & kLineThrough) css += "text-decoration : line-through; ";
    if (!css.empty()) line += " style='" + css + "'";
    line += ">";
    AppendEscaped(line, text);
    if (style.utcStamp) {
        const std::tm& t = *style.utcStamp;
        line += Printed(", %d-%d-%d %d:%d:%d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    }
    line += "</span>";
    return line;
}

std::string SystemTextLine(std::string_view gbkText, int size, int flags) {
    std::string_view text = gbkText.substr(0, go::GbkPrefixLength(gbkText, kMaxSystemText));
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (text.empty()) return {};
    ChatStyle style;
    style.cssClass = "SYSTEMTEXT";
    style.size = size;
    style.flags = flags;
    return ChatLine(text, style);
}

}  // namespace stoneplay
