// Which event is in progress at one instant, and how the observer sees it.
#pragma once
#include <string>
#include "vectors.h"

enum : int {
  KindSolarEclipse = 0,
  KindMercuryTransit = 1,
  KindVenusTransit = 2,
  KindLunarEclipse = 3,
  KindNone = 4,
};

struct TEventType {
  int Code = 0;               // 0 none, 1 partial, 2/3 non-central annular/total, 4/5 central
  long double Longitude = 0;  // of the shadow-axis point, radians, (-pi, pi]
  long double Latitude = 0;   // geodetic, radians
};

struct TShadowRecord {
  long double MoonRadius = 0, UmbraRadius = 0, PenumbraRadius = 0, Separation = 0,
              PositionAngle = 0;
};

struct TViewRecord {
  TObserverCoordinates Site;
  int Code = 0;  // 0 apart, 1 partial, 4 body wholly on the Sun, 5 Sun wholly covered
  long double OccultorRadius = 0, SunRadius = 0, Separation = 0, PositionAngle = 0;
};

// Everything the geometry computes for the current instant; reset by ResetGeometry.
struct GeometryState {
  long double SinObliquity = 0, CosObliquity = 1;
  BodyVector SunVec, MoonVec, MercuryVec, VenusVec;
  BodyVector ObserverVec;  // zero: the Earth's centre
  int EventKind = KindNone;
  TEventType EventType;
  TShadowRecord ShadowRecord;
  TViewRecord ViewRecord;
  BodyVector OccultorVec;
  long double OccultorDiameter = 0;
  std::string OccultorName;
  std::string LunarEclipseText;
  std::string LatitudeText, LongitudeText;  // defaults of the coordinate prompts, degrees
  long double SunAltitude = 0;              // degrees
  bool SunBelowHorizon = false;
  bool SunAltitudeValid = false;
};
extern GeometryState Geo;
void ResetGeometry();

// Reads Geo.SunVec, MoonVec, MercuryVec, VenusVec; writes the event globals of Geo.
void ClassifyEvent(const TCalendarDate& date, long double clock);
// The test for one body; writes Geo.EventType, Geo.ShadowRecord, Geo.EventKind (and the texts).
void TestOccultor(const TCalendarDate& date, long double clock, BodyVector sun, BodyVector occ,
                  long double sunDiameter, long double occultorDiameter);
void LunarEclipseGeometry(BodyVector moonDir, BodyVector shadowDir, long double separation,
                          long double moonDistance, long double sunDistance);
// Reads Geo.ObserverVec; writes Geo.ViewRecord, SunAltitude, SunBelowHorizon, SunAltitudeValid.
void LocalCircumstances(const TCalendarDate& date, const TObserverCoordinates& site,
                        const BodyVector& sun, long double clock, long double occultorDiameter,
                        const BodyVector& occ);
