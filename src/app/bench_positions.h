// The bench's built-in positions, in the bench's position-file format.
#pragma once

namespace fivefold {

extern const char* const builtinBenchPositions[];
extern const int builtinBenchPositionCount;

}  // namespace fivefold
