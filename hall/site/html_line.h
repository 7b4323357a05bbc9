#pragma once

// What the hall takes from one HTML line of the older hall's message pane: its words and the
// look its opening span declares. Nothing else of the markup is ever rendered, so a line cannot
// bring links, pictures or tags of its own into the pane. Plain C++, no Qt.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hall {

struct HtmlLine {
    std::string text;            // tags left out, the five markup entities read back
    std::string spanClass;       // the opening span's class, empty without one
    std::optional<uint32_t> rgb; // 0xRRGGBB from "color=#RRGGBB"
    int pointSize = 9;           // from "font-size=Npt", within 6..36
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool lineThrough = false;
};

HtmlLine ReadHtmlLine(std::string_view html);

}  // namespace hall
