#pragma once

// Text between the code pages that game files are written in and UTF-8. Conversions never fail:
// a byte that cannot be decoded, or a character the target cannot hold, becomes '?' and the rest
// of the text is still converted.

#include <string>
#include <string_view>

namespace go {

// Decodes `bytes` written in `charset` to UTF-8. Charset names are matched without regard to
// case, '-' or '_': UTF-8; GB2312, GBK (CP936) and GB18030; ISO-8859-1 (Latin-1, ASCII); and the
// other East Asian code pages Go files come in (Big5, Shift_JIS, EUC-JP, EUC-KR), and
// Windows-1252. An empty or unknown name is Latin-1, the default of game files that do not say.
std::string DecodeToUtf8(std::string_view bytes, std::string_view charset);

// The hall's code page, both ways. Every well-formed UTF-8 character GBK cannot hold becomes '?'.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

}  // namespace go
