#include "hall/site/hall_services.h"

#include <array>
#include <utility>

namespace hall {

std::string HtmlLineText(std::string_view html) {
    static constexpr std::array<std::pair<std::string_view, char>, 5> kEntities = {
        {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&#39;", '\''}, {"&quot;", '"'}}};
    std::string text;
    bool inTag = false;
    for (size_t i = 0; i < html.size(); ++i) {
        const char c = html[i];
        if (inTag) {
            inTag = c != '>';
            continue;
        }
        if (c == '<') {
            inTag = true;
            continue;
        }
        if (c == '&') {
            bool read = false;
            for (const auto& [entity, character] : kEntities) {
                if (html.substr(i, entity.size()) == entity) {
                    text += character;
                    i += entity.size() - 1;
                    read = true;
                    break;
                }
            }
            if (read) continue;
        }
        text += c;
    }
    return text;
}

}  // namespace hall
