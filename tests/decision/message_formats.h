// The exact formats of the turn driver's MESSAGE lines.
#pragma once

// GCC 12 reports a false maybe-uninitialized inside <regex> at -O1.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop

namespace fivefold {

// Groups: 1 depth, 2 the score after "E:" (only with the codes of group 3), 3 or 4 the
// stop code.
inline const std::regex searchLineFormat(
    R"(MESSAGE AB: D:(\d+) (?:E:(-?\d+) F:(0M|T1Aa|T1Ab|T1B|T2|W)|F:(0M|T1C)) S:\d+)");

inline const std::regex threatLineFormat(
    R"(MESSAGE (THR: (M4|O4>1I|O4>1|O4=1|O3>1|M3 -?\d+)|Thx|Grat))");

}  // namespace fivefold
