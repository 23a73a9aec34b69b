// Sine, cosine and angle addition for the position series (inline: they run in the inner
// loops of every call).
//
// The series need a few dozen sines and cosines per call. The C library's long double
// versions reduce every argument with a many-digit pi and cost about 150 ns each here, which
// alone would take the Moon's series past 5 microseconds. The x87 unit that holds long double
// values computes them directly (fsincos) in about 30 ns, reducing by its own
// 66-bit pi; for the arguments of the series (below a few thousand radians) that adds an
// absolute error under 1e-17, far below the last digit the series carry. Larger arguments,
// which only absurd dates produce, and other processors use the library.
#pragma once

// The x87 fast path is on by default where the unit exists; the build can turn it off
// (SYZYGY_X87=OFF) to test the portable path with the library's functions.
#ifndef SYZYGY_X87_FAST_PATH
#if defined(__x86_64__) || defined(__i386__)
#define SYZYGY_X87_FAST_PATH 1
#else
#define SYZYGY_X87_FAST_PATH 0
#endif
#endif

#include <cmath>

namespace astro::series_math {

// The x87 instructions take arguments below 2^63; this bound keeps the reduction error small.
constexpr long double kMaxFastArgument = 1.0e4L;

// Both at once (one reduction).
inline void SinCos(long double x, long double& s, long double& c) {
#if SYZYGY_X87_FAST_PATH
  if (std::fabs(x) < kMaxFastArgument) {
    long double cr, sr;
    __asm__("fsincos" : "=t"(cr), "=u"(sr) : "0"(x));
    s = sr;
    c = cr;
    return;
  }
#endif
  s = std::sin(x);
  c = std::cos(x);
}

// The sine alone comes from the same instruction as SinCos: on some Intel processors fsin and
// fsincos differ in the last bit for some arguments, and a value must not depend on which of
// the two a caller happened to use.
inline long double Sin(long double x) {
#if SYZYGY_X87_FAST_PATH
  if (std::fabs(x) < kMaxFastArgument) {
    long double s, c;
    SinCos(x, s, c);
    return s;
  }
#endif
  return std::sin(x);
}

#if SYZYGY_X87_FAST_PATH
// fisttp (SSE3) stores a truncated integer without touching the rounding mode.
inline const bool kHasFisttp = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("sse3") != 0;
}();
#endif

// Truncation toward zero. std::trunc switches the x87 rounding mode twice per call, which
// costs as much as the rest of a fractional part; the truncating integer store does not.
inline long double Trunc(long double x) {
#if SYZYGY_X87_FAST_PATH
  if (kHasFisttp && std::fabs(x) < 0x1p62L) {
    long long i;
    __asm__("fisttpll %0" : "=m"(i) : "t"(x) : "st");
    return static_cast<long double>(i);
  }
#endif
  return std::trunc(x);
}

// cos and sin of the sum of two angles given by their cos and sin; the outputs may alias
// the inputs.
inline void AddAngles(long double c1, long double s1, long double c2, long double s2,
                      long double& c, long double& s) {
  const long double cc = c1 * c2 - s1 * s2;
  const long double ss = s1 * c2 + c1 * s2;
  c = cc;
  s = ss;
}

}  // namespace astro::series_math
