#include "app/bench_positions.h"

namespace fivefold {

const char* const builtinBenchPositions[] = {
    "15 15 7,7,1 8,8,2 7,8,1 6,8,2 8,7,1",
};

const int builtinBenchPositionCount =
    static_cast<int>(sizeof builtinBenchPositions / sizeof builtinBenchPositions[0]);

}  // namespace fivefold
