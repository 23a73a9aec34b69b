// Planets1: the analytical series of the Sun (the Earth), Mercury and Venus.
#pragma once
#include <span>

namespace astro {
// One periodic term: argument i1 * (own mean anomaly) + i * (perturber's), power of T,
// coefficients in arc seconds (longitude, latitude) and 1e-6 AU (radius).
struct PerturbationTerm {
  int i1, i, it;
  long double dlc, dls, drc, drs, dbc, dbs;
};

// Geocentric Sun: L, B in radians (mean ecliptic and equinox of date), R in AU.
void SunPosition(long double T, long double& L, long double& B, long double& R);
// Heliocentric planets: L, B in radians, R in AU.
void MercuryPosition(long double T, long double& L, long double& B, long double& R);
void VenusPosition(long double T, long double& L, long double& B, long double& R);

// The term tables, one per perturbing planet, in evaluation order.
struct SunTables {
  std::span<const PerturbationTerm> venus, mars, jupiter, saturn;
};
struct MercuryTables {
  std::span<const PerturbationTerm> venus, earth, jupiter, saturn;
};
struct VenusTables {
  std::span<const PerturbationTerm> mercury, earth, mars, jupiter, saturn;
};
const SunTables& SunSeriesTables();
const MercuryTables& MercurySeriesTables();
const VenusTables& VenusSeriesTables();

// The same series with other tables (used to show that a changed coefficient is noticed).
void SunPositionWith(const SunTables& tables, long double T, long double& L, long double& B,
                     long double& R);
void MercuryPositionWith(const MercuryTables& tables, long double T, long double& L,
                         long double& B, long double& R);
void VenusPositionWith(const VenusTables& tables, long double T, long double& L, long double& B,
                       long double& R);
}  // namespace astro
