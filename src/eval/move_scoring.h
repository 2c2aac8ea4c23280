// The candidate moves of a search node: the best-scoring empty squares near the stones,
// or of a list the caller gives, best first. Every function writes into the caller's
// arrays only the slots it fills, and returns how many that is; a square whose score is
// not above -scoreInfinity is never kept. The board is left as it was found.
#pragma once

#include <cstdint>

namespace fivefold {

constexpr int areaMoveSlots = 8;
constexpr int extraAreaMoveSlots = 2;
constexpr int listedMoveSlots = 10;

// The 8 best empty squares by pointGain of the rectangle around all non-empty squares,
// widened by margin (margin squares before the stones, margin - 1 beyond them).
int rankAreaMoves(std::int32_t* outX, std::int32_t* outY, int player, int margin);

// The 2 best empty squares of the same rectangle by pointGainRaised, leaving out the
// skipCount squares of skipX/skipY (the caller passes the ones rankAreaMoves chose).
int rankExtraAreaMoves(std::int32_t* outX, std::int32_t* outY, int player,
                       const std::int32_t* skipX, const std::int32_t* skipY, int skipCount,
                       int margin);

// rankAreaMoves, then rankExtraAreaMoves after its entries leaving out the squares it
// chose, from one sweep of the area: the same entries as the two calls, at about the cost
// of one. Returns the number of entries of both.
int rankAreaAndExtraMoves(std::int32_t* outX, std::int32_t* outY, int player, int margin);

// The 10 best of the listed squares by pointGain, in list order among equal scores. An
// occupied square takes no slot; a square listed twice can take two.
int rankListedMoves(std::int32_t* outX, std::int32_t* outY, int player, const std::int32_t* listX,
                    const std::int32_t* listY, int listCount);

}  // namespace fivefold
