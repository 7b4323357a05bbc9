#include "record/text_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace go {
namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; });
}

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0 when it is not one
// (a stray trail byte, an overlong form, a surrogate, beyond U+10FFFF or cut short).
size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(0);
    if (lead < 0x80) return 1;
    size_t length = 0;
    uint8_t low = 0x80;
    uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

std::string SanitizedUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const size_t length = Utf8SequenceLength(text);
        if (length == 0) {
            out += '?';
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
    return out;
}

std::string Latin1ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const uint8_t b = static_cast<uint8_t>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

// How much input a '?' stands for when iconv refuses the input at its start.
using SkipRule = size_t (*)(std::string_view);
size_t SkipOneByte(std::string_view) { return 1; }
size_t SkipOneCharacter(std::string_view text) { return std::max<size_t>(1, Utf8SequenceLength(text)); }

std::string ConvertWithIconv(std::string_view text, const char* from, const char* to, SkipRule skip) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // Without the system's tables only ASCII is certain; the rest is unreadable, not lost text.
        std::string out(text);
        for (char& c : out) {
            if (static_cast<uint8_t>(c) >= 0x80) c = '?';
        }
        return out;
    }
    std::string out;
    std::string chunk(4 * text.size() + 16, '\0');
    char* in = const_cast<char*>(text.data());  // iconv's signature; it only reads the input
    size_t inLeft = text.size();
    while (inLeft > 0) {
        char* outPtr = chunk.data();
        size_t outLeft = chunk.size();
        const size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(chunk.data(), chunk.size() - outLeft);
        if (done != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ (an invalid or unconvertible sequence) or EINVAL (one cut short at the end).
        const size_t skipped = std::min(inLeft, skip(std::string_view(in, inLeft)));
        in += skipped;
        inLeft -= skipped;
        out += '?';
    }
    iconv_close(cd);
    return out;
}

// The name with case, '-', '_' and spaces left out: "utf-8" and "UTF8" are one charset.
std::string CharsetKey(std::string_view charset) {
    std::string key;
    for (char c : charset) {
        if (c == '-' || c == '_' || c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        key += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return key;
}

struct IconvCharset {
    const char* key;
    const char* iconvName;
};

// GB2312 files are read as GBK: programs that say GB2312 often write characters beyond it.
constexpr IconvCharset kIconvCharsets[] = {
    {"GB2312", "GBK"},    {"EUCCN", "GBK"},       {"GBK", "GBK"},          {"CP936", "GBK"},
    {"GB18030", "GB18030"}, {"BIG5", "BIG5"},     {"SHIFTJIS", "SHIFT_JIS"}, {"SJIS", "SHIFT_JIS"},
    {"EUCJP", "EUC-JP"},  {"EUCKR", "EUC-KR"},    {"WINDOWS1252", "WINDOWS-1252"}, {"CP1252", "WINDOWS-1252"},
};

}  // namespace

std::string DecodeToUtf8(std::string_view bytes, std::string_view charset) {
    if (IsAscii(bytes)) return std::string(bytes);
    const std::string key = CharsetKey(charset);
    if (key == "UTF8") return SanitizedUtf8(bytes);
    for (const IconvCharset& known : kIconvCharsets) {
        if (key == known.key) return ConvertWithIconv(bytes, known.iconvName, "UTF-8", SkipOneByte);
    }
    return Latin1ToUtf8(bytes);
}

std::string GbkToUtf8(std::string_view gbk) { return DecodeToUtf8(gbk, "GBK"); }

std::string Utf8ToGbk(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    return ConvertWithIconv(SanitizedUtf8(utf8), "UTF-8", "GBK", SkipOneCharacter);
}

}  // namespace go
