// Four 32-bit integer lanes: the engine's one SIMD form. x86-64-v2 builds (SSE4.2) map every
// operation to one or two SSE instructions; any other target (the browser's WebAssembly
// build among them) gets the plain loops beside them, which the compiler may vectorise on
// its own. Both forms give the same integers lane by lane: adds and subtracts wrap alike,
// and compares are exact.
#pragma once

#include <cstdint>

#if defined(__SSE4_2__)
#include <smmintrin.h>
#endif

namespace fivefold {

struct Int4 {
#if defined(__SSE4_2__)
  __m128i v;
#else
  std::int32_t v[4];
#endif
};

#if defined(__SSE4_2__)

inline Int4 loadInt4(const std::int32_t* from) {
  return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(from))};
}
inline void storeInt4(std::int32_t* to, Int4 a) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), a.v);
}
inline Int4 splatInt4(std::int32_t value) {
  return {_mm_set1_epi32(value)};
}
inline Int4 operator+(Int4 a, Int4 b) {
  return {_mm_add_epi32(a.v, b.v)};
}
inline Int4 operator-(Int4 a, Int4 b) {
  return {_mm_sub_epi32(a.v, b.v)};
}
// Lanes 1, 2, 3 of `low`, then lane 0 of `high`: a run of cells moved down by one.
inline Int4 shiftDownInt4(Int4 low, Int4 high) {
  return {_mm_alignr_epi8(high.v, low.v, 4)};
}
inline std::int32_t firstLane(Int4 a) {
  return _mm_cvtsi128_si32(a.v);
}
// Bit i: lane i of a is greater than lane i of b, and lane i of zeroTest is 0.
inline int greaterWhereZero(Int4 a, Int4 b, Int4 zeroTest) {
  const __m128i wanted =
      _mm_and_si128(_mm_cmpgt_epi32(a.v, b.v), _mm_cmpeq_epi32(zeroTest.v, _mm_setzero_si128()));
  return _mm_movemask_ps(_mm_castsi128_ps(wanted));
}
inline Int4 maxInt4(Int4 a, Int4 b) {
  return {_mm_max_epi32(a.v, b.v)};
}
inline Int4 minInt4(Int4 a, Int4 b) {
  return {_mm_min_epi32(a.v, b.v)};
}
// Lane i of a where lane i of zeroTest is 0, else lane i of b.
inline Int4 selectWhereZero(Int4 zeroTest, Int4 a, Int4 b) {
  const __m128i zero = _mm_cmpeq_epi32(zeroTest.v, _mm_setzero_si128());
  return {_mm_blendv_epi8(b.v, a.v, zero)};
}
// Bit i: lane i of a is 0.
inline int zeroLanes(Int4 a) {
  return _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(a.v, _mm_setzero_si128())));
}

#else

inline Int4 loadInt4(const std::int32_t* from) {
  return {{from[0], from[1], from[2], from[3]}};
}
inline void storeInt4(std::int32_t* to, Int4 a) {
  for (int i = 0; i < 4; ++i) to[i] = a.v[i];
}
inline Int4 splatInt4(std::int32_t value) {
  return {{value, value, value, value}};
}
// Through unsigned arithmetic, so that a sum wraps as the SSE instruction's does.
inline Int4 operator+(Int4 a, Int4 b) {
  Int4 r;
  for (int i = 0; i < 4; ++i) {
    r.v[i] = static_cast<std::int32_t>(static_cast<std::uint32_t>(a.v[i]) +
                                       static_cast<std::uint32_t>(b.v[i]));
  }
  return r;
}
inline Int4 operator-(Int4 a, Int4 b) {
  Int4 r;
  for (int i = 0; i < 4; ++i) {
    r.v[i] = static_cast<std::int32_t>(static_cast<std::uint32_t>(a.v[i]) -
                                       static_cast<std::uint32_t>(b.v[i]));
  }
  return r;
}
inline Int4 shiftDownInt4(Int4 low, Int4 high) {
  return {{low.v[1], low.v[2], low.v[3], high.v[0]}};
}
inline std::int32_t firstLane(Int4 a) {
  return a.v[0];
}
inline int greaterWhereZero(Int4 a, Int4 b, Int4 zeroTest) {
  int bits = 0;
  for (int i = 0; i < 4; ++i) bits |= ((a.v[i] > b.v[i]) & (zeroTest.v[i] == 0)) << i;
  return bits;
}
inline Int4 maxInt4(Int4 a, Int4 b) {
  Int4 r;
  for (int i = 0; i < 4; ++i) r.v[i] = a.v[i] > b.v[i] ? a.v[i] : b.v[i];
  return r;
}
inline Int4 minInt4(Int4 a, Int4 b) {
  Int4 r;
  for (int i = 0; i < 4; ++i) r.v[i] = a.v[i] < b.v[i] ? a.v[i] : b.v[i];
  return r;
}
inline Int4 selectWhereZero(Int4 zeroTest, Int4 a, Int4 b) {
  Int4 r;
  for (int i = 0; i < 4; ++i) r.v[i] = zeroTest.v[i] == 0 ? a.v[i] : b.v[i];
  return r;
}
inline int zeroLanes(Int4 a) {
  int bits = 0;
  for (int i = 0; i < 4; ++i) bits |= (a.v[i] == 0) << i;
  return bits;
}

#endif

}  // namespace fivefold
