#include "core/line_words.h"

#include <algorithm>
#include <iterator>

namespace fivefold {

LineWord lineWords[lineWordCount] = {};
LineWord linePlayingArea[lineWordCount] = {};

void clearLineWords() {
  std::fill(std::begin(lineWords), std::end(lineWords), LineWord{0});
}

void markPlayingArea(int width, int height) {
  std::fill(std::begin(linePlayingArea), std::end(linePlayingArea), LineWord{0});
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      const LinePlace& place = linePlaces[x * boardStride + y];
      for (int k = 0; k < lineDirections; ++k) {
        linePlayingArea[place.word[k]] |= LineWord{1} << (2 * place.cell[k]);
      }
    }
  }
}

}  // namespace fivefold
