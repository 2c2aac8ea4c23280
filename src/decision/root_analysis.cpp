#include "decision/root_analysis.h"

#include <algorithm>
#include <functional>
#include <string>

#include "core/output.h"
#include "core/score_scale.h"

namespace fivefold {

std::int32_t windowFloor(const std::vector<RootCandidate>& searched, int count) {
  if (static_cast<int>(searched.size()) < count) return -scoreInfinity;
  std::vector<std::int32_t> scores;
  for (const RootCandidate& candidate : searched) scores.push_back(candidate.score);
  std::nth_element(scores.begin(), scores.begin() + (count - 1), scores.end(),
                   std::greater<std::int32_t>());
  return scores[static_cast<std::size_t>(count - 1)];
}

void reportDepth(int depth, const std::vector<RootCandidate>& searched) {
  std::vector<const RootCandidate*> ranked;
  for (const RootCandidate& candidate : searched) ranked.push_back(&candidate);
  std::stable_sort(
      ranked.begin(), ranked.end(),
      [](const RootCandidate* a, const RootCandidate* b) { return a->score > b->score; });
  int rank = 0;
  for (const RootCandidate* candidate : ranked) {
    std::string line;
    for (const Square square : candidate->line) {
      if (!line.empty()) line += ' ';
      line += std::to_string(square.x) + ',' + std::to_string(square.y);
    }
    printLine("MESSAGE NBEST D:%d K:%d E:%s%d L:%s", depth, ++rank,
              candidate->exact ? "" : "<=", candidate->score, line.c_str());
  }
}

}  // namespace fivefold
