#include "hall/site/html_line.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <utility>

namespace hall {
namespace {

std::string Text(std::string_view html) {
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

// The value of `name='…'` inside the opening tag, empty without it.
std::string_view Attribute(std::string_view tag, std::string_view name) {
    const std::string key = std::string(name) + "='";
    const size_t start = tag.find(key);
    if (start == std::string_view::npos) return {};
    const size_t from = start + key.size();
    const size_t end = tag.find('\'', from);
    return end == std::string_view::npos ? std::string_view() : tag.substr(from, end - from);
}

std::string Squeezed(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

void ReadDeclaration(std::string_view declaration, HtmlLine& line) {
    const std::string d = Squeezed(declaration);
    if (d.rfind("color=#", 0) == 0 && d.size() == 13) {
        uint32_t rgb = 0;
        const auto [end, error] = std::from_chars(d.data() + 7, d.data() + 13, rgb, 16);
        if (error == std::errc() && end == d.data() + 13) line.rgb = rgb;
    } else if (d.rfind("font-size=", 0) == 0 && d.size() > 12 && d.substr(d.size() - 2) == "pt") {
        int size = 0;
        const auto [end, error] = std::from_chars(d.data() + 10, d.data() + d.size() - 2, size);
        if (error == std::errc() && end == d.data() + d.size() - 2) line.pointSize = std::clamp(size, 6, 36);
    } else if (d == "font-weight:bold") {
        line.bold = true;
    } else if (d == "font-style:italic") {
        line.italic = true;
    } else if (d == "text-decoration:underline") {
        line.underline = true;
    } else if (d == "text-decoration:line-through") {
        line.lineThrough = true;
    }
}

}  // namespace

HtmlLine ReadHtmlLine(std::string_view html) {
    HtmlLine line;
    line.text = Text(html);
    if (html.rfind("<span ", 0) != 0) return line;
    const size_t close = html.find('>');
    if (close == std::string_view::npos) return line;
    const std::string_view tag = html.substr(0, close);
    line.spanClass = std::string(Attribute(tag, "class"));
    std::string_view style = Attribute(tag, "style");
    while (!style.empty()) {
        const size_t end = style.find(';');
        ReadDeclaration(style.substr(0, end), line);
        if (end == std::string_view::npos) break;
        style.remove_prefix(end + 1);
    }
    return line;
}

}  // namespace hall
