#include "mathe.h"

#include <cmath>

#include "number_text.h"

namespace astro {
namespace {

// Kept as a literal so that AngleToDMS works even when called from another module's static
// initialisation, before DegreeSign itself has been constructed.
constexpr char kDegreeSign[] = "\xC2\xB0";  // UTF-8 of U+00B0

constexpr long double kPoleGuard = 1e-7L;
constexpr long double kPoleTangent = 10000000.0L;

}  // namespace

const std::string DegreeSign = kDegreeSign;

long double Tan(long double x) {
  const long double c = std::cos(x);
  if (std::fabs(c) < kPoleGuard) {
    // The sign follows the cosine alone (the sine is not looked at).
    return c >= 0 ? kPoleTangent : -kPoleTangent;
  }
  return std::sin(x) / c;
}

long double ArcSin(long double x) {
  if (x > 1) x = 1;
  if (x < -1) x = -1;
  if (std::fabs(x) == 1) return x * PiHalf;
  if (std::fabs(x) <= kPoleGuard) return x;
  return std::atan(x / std::sqrt(1 - x * x));
}

long double ArcCos(long double x) {
  if (x > 1) x = 1;
  if (x < -1) x = -1;
  if (x > 0) return std::atan(std::sqrt(1 / (x * x) - 1));
  if (x < 0) return Pi - std::atan(std::sqrt(1 / (x * x) - 1));
  return PiHalf;
}

long double ArcTan2(long double y, long double x) {
  if (y == 0 && x == 0) return 0;
  const long double ay = std::fabs(y);
  const long double ax = std::fabs(x);
  // Only quotients of magnitude at most 1 go to the arctangent.
  long double f = ay < ax ? std::atan(ay / ax) : PiHalf - std::atan(ax / ay);
  if (x < 0) f = Pi - f;
  if (y < 0) f = -f;
  return f;
}

void AngleToDMS(long double x, std::string& text) {
  std::string s = x < 0 ? "-" : "";
  long double a = std::fabs(x / 0.017453292519943295769L);
  // An angle without a value (or beyond the number range in degrees) keeps the shape of the
  // text but shows no digits, rather than "nan" or "inf".
  if (!std::isfinite(a)) {
    const std::string q2(2, '?');
    text = s + "  ?" + kDegreeSign + q2 + "'" + q2 + "\"." + q2 + "?";
    return;
  }
  // Degrees, minutes and seconds are truncated; only the thousandths are rounded.
  long double degrees = std::trunc(a);
  a = (a - degrees) * 60;
  long double minutes = std::trunc(a);
  a = (a - minutes) * 60;
  long double seconds = std::trunc(a);
  long double thousandths = std::nearbyint((a - seconds) * 1000);
  // A fraction of 0.9995" or more rounds to a whole second: carry it upwards so that the
  // field keeps three digits and the text stays a valid angle (59.9996" is the next minute).
  if (thousandths >= 1000) {
    thousandths = 0;
    seconds += 1;
    if (seconds >= 60) {
      seconds = 0;
      minutes += 1;
      if (minutes >= 60) {
        minutes = 0;
        degrees += 1;
      }
    }
  }
  s += text::WholeNumberText(degrees, 3);
  s += kDegreeSign;
  s += text::WholeNumberText(minutes, 2, '0');
  s += "'";
  s += text::WholeNumberText(seconds, 2, '0');
  s += "\".";
  s += text::WholeNumberText(thousandths, 3, '0');
  text = s;
}
}  // namespace astro
