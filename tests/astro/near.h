// EXPECT_NEAR for long double: gtest's own compares in double, which hides the last 11 bits.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

inline testing::AssertionResult NearLongDouble(const char* aText, const char* bText,
                                               const char* tolText, long double a, long double b,
                                               long double tol) {
  if (std::fabs(a - b) <= tol) return testing::AssertionSuccess();
  char buf[512];
  std::snprintf(buf, sizeof buf, "%s = %.21Lg\n%s = %.21Lg\ndifference %.3Lg exceeds %s = %.3Lg",
                aText, a, bText, b, std::fabs(a - b), tolText, tol);
  return testing::AssertionFailure() << buf;
}

#define EXPECT_NEAR_L(a, b, tol) EXPECT_PRED_FORMAT3(NearLongDouble, a, b, tol)
#define ASSERT_NEAR_L(a, b, tol) ASSERT_PRED_FORMAT3(NearLongDouble, a, b, tol)
