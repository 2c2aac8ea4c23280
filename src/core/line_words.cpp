#include "core/line_words.h"

#include <algorithm>
#include <iterator>

namespace fivefold {

LineWord lineWords[lineWordCount] = {};

void clearLineWords() {
  std::fill(std::begin(lineWords), std::end(lineWords), LineWord{0});
}

}  // namespace fivefold
