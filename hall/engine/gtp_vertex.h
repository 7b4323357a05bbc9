#pragma once

#include <optional>
#include <string>

namespace hall {

// Board points as the Go Text Protocol writes them: a column letter A–T without I, and a row
// number 1–19 counted from the bottom. Our row 0 is the top row, GTP's 19.
std::string GtpVertex(int x, int y);

// What an engine answers to genmove.
struct GtpMove {
    enum class Kind { Point, Pass, Resign };
    Kind kind = Kind::Pass;
    int x = -1;
    int y = -1;
};

// Reads one vertex, "pass" or "resign"; letters in either case, as the protocol allows. Nothing
// for anything else: an I column, a point off the board, trailing text.
std::optional<GtpMove> ParseGtpMove(const std::string& text);

}  // namespace hall
