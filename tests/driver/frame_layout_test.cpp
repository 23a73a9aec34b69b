// The frame's layout against values worked out by hand: 0.25 degrees are 0.45 of the window's
// height, position angle 0 is up and 90 degrees left, the sky's colours as the table gives them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "contact_panel.h"
#include "driver_state.h"
#include "frame_layout.h"
#include "kern_graf_testing.h"
#include "key_tick.h"
#include "mathe.h"
#include "scene.h"
#include "text_codec.h"

using namespace astro;
using namespace geometry;
using namespace console;
using namespace driver;

namespace {

constexpr int W = 1023, H = 767, L = 18, C = 8;  // a 1024 x 768 window

// What a layout is made of.
struct Frame {
  TScene Scene;
  DisplayOptions Options;
  ColumnTexts Texts;
  FrameHistory History;
};

FrameLayout Layout(const Frame& s, const ScreenMetrics& m = {W, H, L, C}) {
  return LayoutFrame(s.Scene, s.Options, s.Texts, s.History, m);
}

// A solar eclipse seen with the Sun 0.27 degrees wide, the Moon 0.26, `d` degrees apart.
Frame Eclipse(long double d, long double angle, int code = 1) {
  Frame s;
  s.Scene.Event.Kind = EventKind::SolarEclipse;
  s.Scene.Event.Type.Code = EventCode::Partial;
  s.Scene.View.Record.SunRadius = 0.27L * Degree;
  s.Scene.View.Record.OccultorRadius = 0.26L * Degree;
  s.Scene.View.Record.Separation = d * Degree;
  s.Scene.View.Record.PositionAngle = angle * Degree;
  s.Scene.View.Record.Code = static_cast<ViewCode>(code);
  return s;
}

TEST(FrameLayout, DiscsAtTheScaleAndPositionAngle) {
  // 1.8 H pixels a degree: a radius of 0.27 degrees is 372.8 pixels, 0.1 degrees 138.1.
  const struct {
    long double Angle;
    int X, Y;
  } cases[] = {{0, 511, 245}, {90, 373, 383}, {180, 511, 521}, {-90, 649, 383}};
  for (const auto& c : cases) {
    const FrameLayout f = Layout(Eclipse(0.1L, c.Angle));
    EXPECT_EQ(f.CentreX, 511);
    EXPECT_EQ(f.CentreY, 383);
    EXPECT_EQ(f.CentreRadius, 373);
    EXPECT_EQ(f.SecondRadius, 359);  // 0.26 degrees
    EXPECT_EQ(f.SecondX, c.X) << c.Angle;
    EXPECT_EQ(f.SecondY, c.Y) << c.Angle;
  }
}

TEST(FrameLayout, SkyColoursAsTheTableGivesThem) {
  Frame lunar, transit, none, afterLunar;
  lunar.Scene.Event.Kind = EventKind::LunarEclipse;
  transit.Scene.Event.Kind = EventKind::MercuryTransit;
  none.Scene.SunRadius = 0.27L * Degree, none.Scene.MoonRadius = 0.25L * Degree;
  afterLunar = none;
  afterLunar.History.LunarLast = true;  // the Moon stays in the centre
  const struct {
    Frame State;
    Colour Sky, Centre, Second;
    bool DrawSecond, SunLimb;
    int CentreRadius;
  } cases[] = {
      {lunar, Colour::Black, Colour::White, Colour::Black, true, false, 0},
      {transit, Colour::LightBlue, Colour::Yellow, Colour::Black, true, false, 0},
      // The Sun wholly covered: a black Moon before the dark sky, the Sun's limb around it.
      {Eclipse(0, 0, 5), Colour::DarkGray, Colour::Yellow, Colour::Black, true, true, 373},
      {Eclipse(0.026L, 0), Colour::Blue, Colour::Yellow, Colour::Blue, true, false, 373},  // centres nearer than 0.1 radius
      {Eclipse(0.028L, 0), Colour::LightBlue, Colour::Yellow, Colour::LightBlue, true, false, 373},
      {none, Colour::LightBlue, Colour::Yellow, Colour::Black, false, false, 373},
      {afterLunar, Colour::Black, Colour::White, Colour::Black, false, false, 345},
  };
  for (const auto& c : cases) {
    const FrameLayout f = Layout(c.State);
    EXPECT_EQ(f.Sky, c.Sky);
    EXPECT_EQ(f.CentreColour, c.Centre);
    EXPECT_EQ(f.SecondColour, c.Second);
    EXPECT_EQ(f.DrawSecond, c.DrawSecond);
    EXPECT_EQ(f.SunLimb, c.SunLimb);
    EXPECT_EQ(f.CentreRadius, c.CentreRadius);
  }
}

TEST(FrameLayout, StroboscopicFramesKeepWhatCameBefore) {
  Frame s = Eclipse(0.1L, 0);
  s.Scene.Event.Kind = EventKind::VenusTransit;
  s.Options.Stroboscopic = true;
  s.History.First = true;
  s.History.EarlierMoons = {{0.1L * Degree, 90 * Degree, 0.26L * Degree}};
  EXPECT_TRUE(Layout(s).ClearWindow);
  s.History.First = false;
  FrameLayout f = Layout(s);  // a transit keeps the chain of planets
  EXPECT_FALSE(f.ClearWindow);
  EXPECT_FALSE(f.DrawCentre);
  EXPECT_TRUE(f.Outlines.empty());
  s.Scene.Event.Kind = EventKind::LunarEclipse;  // the Moon is drawn anew every time
  EXPECT_TRUE(Layout(s).DrawCentre);
  // A solar eclipse is drawn whole, the Moons of earlier instants as their limbs.
  s.Scene.Event.Kind = EventKind::SolarEclipse;
  f = Layout(s);
  EXPECT_TRUE(f.ClearWindow);
  EXPECT_TRUE(f.DrawCentre);
  ASSERT_EQ(f.Outlines.size(), 1u);
  EXPECT_EQ(f.Outlines[0].X, 373);  // 0.1 degrees to the left (east)
  EXPECT_EQ(f.Outlines[0].Y, 383);
  EXPECT_EQ(f.Outlines[0].R, 359);
  s.History.First = true;  // after a dialogue the earlier Moons are gone
  EXPECT_TRUE(Layout(s).Outlines.empty());
}

TEST(FrameLayout, TextsInTheirPlaces) {
  Frame s = Eclipse(0.1L, 0);
  s.Texts = {"Hannover", "9.5.2016", {}};
  s.Scene.Sky.At = TInstant::OfClock({9, 5, 2016}, 14.0L);
  s.Options.TimeStep = -5;
  FrameLayout f = Layout(s);
  EXPECT_EQ(f.Hint.X, W - 88);
  EXPECT_EQ(f.Hint.Y, H);
  EXPECT_EQ(f.Hint.Text, "\"F1\": Hilfe");
  const struct {
    int Y;
    const char* Text;
  } column[] = {{L, "Hannover "}, {2 * L, "9.5.2016 "}, {3 * L, "13:00:00 Uhr UT "},
                {5 * L, "Äquatorsystem "}};
  int found = 0;
  for (const PlacedText& t : f.Texts) {
    if (!t.RightAligned) {
      EXPECT_EQ(t.X, 0);
      continue;
    }
    ASSERT_LT(found, 4);
    EXPECT_EQ(t.X, W);
    EXPECT_EQ(t.Y, column[found].Y);
    EXPECT_EQ(t.Text, column[found].Text);
    ++found;
  }
  EXPECT_EQ(found, 4);
  EXPECT_EQ(f.Step.Text, "Schritt: -5 min ");
  EXPECT_EQ(f.Step.Y, 6 * L);
  EXPECT_TRUE(f.Step.RightAligned);
  EXPECT_TRUE(f.Panel.empty());  // hidden

  s.Options.MeasurementsOn = true;
  f = Layout(s);
  ASSERT_EQ(f.Panel.size(), 7u);
  EXPECT_EQ(f.Panel.front().Y, H - 7 * L);  // row 0
  EXPECT_EQ(f.Panel.back().Y, H);           // row 7 on the last pixel row
  s.Options.HorizonView = true;                     // never in the horizon system
  EXPECT_TRUE(Layout(s).Panel.empty());
}

// The pixels a text's visible characters cover in a monospaced font (blanks draw nothing).
struct TextBox {
  int Left, Top, Right, Bottom;
};

TextBox BoxOf(const PlacedText& t, int lineHeight, int charWidth) {
  const std::size_t first = t.Text.find_first_not_of(' '), last = t.Text.find_last_not_of(' ');
  const int visible = static_cast<int>(text::Utf8Length(t.Text.substr(first, last - first + 1)));
  const int left = t.RightAligned
                       ? t.X - static_cast<int>(t.Text.size() - 1 - last + visible) * charWidth
                       : t.X + static_cast<int>(first) * charWidth;
  return {left, t.Y - lineHeight, left + visible * charWidth, t.Y};
}

bool Overlap(const TextBox& a, const TextBox& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

TEST(FrameLayout, ContactPanelAndHelpCoverNoOtherText) {
  // The widest and longest panel: a solar eclipse with a central phase and five contacts at the
  // site, two of them with the Sun below the horizon.
  search::TEarthContacts earth;
  earth.Event = {EventKind::SolarEclipse, 100, 200, 150};
  earth.CentralBegin = 120, earth.CentralEnd = 180;
  const std::vector<search::TSiteContact> site = {{1, 1000, -12.25L, true},
                                                  {2, 1100, 5, false},
                                                  {0, 1200, 8, false},
                                                  {3, 1300, 11, false},
                                                  {4, 1400, -10.5L, true}};
  Frame s = Eclipse(0.1L, 0, 2);  // "nichtzentrale ringförmige Sonnenfinsternis"
  s.Scene.View.SunAltitudeValid = true, s.Scene.View.SunAltitude = -0.5L, s.Scene.View.SunBelowHorizon = true;
  search::TLocalEclipse local;
  local.Contacts = site;
  s.Texts = {"Hannover", "12.12.2026", ContactRows(earth, &local)};
  s.Options.MeasurementsOn = true;
  ASSERT_EQ(s.Texts.Contacts.size(), 11u);
  const int lineHeight = 21, charWidth = 10;  // Courier 10 pt, as the console selects it
  const struct {
    int Width, Height;
    bool Horizon;
  } cases[] = {{1024, 768, false}, {1024, 768, true},  {1280, 800, false},
               {1280, 800, true},  {1920, 1080, false}, {1920, 1080, true}};
  for (const auto& c : cases) {
    s.Options.HorizonView = c.Horizon;
    const FrameLayout f = Layout(s, {c.Width - 1, c.Height - 1, lineHeight, charWidth});
    ASSERT_EQ(f.Contacts.size(), 11u);
    EXPECT_EQ(f.Panel.empty(), c.Horizon);
    std::vector<PlacedText> others = f.Texts;
    others.insert(others.end(), f.Panel.begin(), f.Panel.end());
    others.push_back(f.Hint);
    others.push_back(f.Step);
    const std::vector<PlacedText> help = HelpTexts(f, c.Height - 1, lineHeight);
    auto box = [&](const PlacedText& t) { return BoxOf(t, lineHeight, charWidth); };
    for (const PlacedText& row : f.Contacts) {
      const TextBox b = box(row);
      EXPECT_GE(b.Left, 0) << row.Text;
      EXPECT_LT(b.Right, c.Width) << row.Text;
      for (const PlacedText& t : others)
        EXPECT_FALSE(Overlap(b, box(t))) << c.Width << ": " << row.Text << " / " << t.Text;
      for (const PlacedText& t : help)
        EXPECT_FALSE(Overlap(b, box(t))) << c.Width << ": " << row.Text << " / " << t.Text;
    }
    // The help lines stand above the measurement panel, over no other text.
    for (const PlacedText& line : help) {
      EXPECT_LT(box(line).Right, c.Width) << line.Text;
      EXPECT_GE(box(line).Top, 0) << line.Text;
      for (const PlacedText& t : others)
        EXPECT_FALSE(Overlap(box(line), box(t))) << line.Text << " / " << t.Text;
    }
  }
}

}  // namespace

namespace {

// The least distance in pixels from a circle's centre to a text's visible box.
long double DistanceToBox(const PixelCircle& c, const TextBox& b) {
  const long double dx = std::max({0, b.Left - c.X, c.X - (b.Right - 1)});
  const long double dy = std::max({0, b.Top - c.Y, c.Y - (b.Bottom - 1)});
  return std::hypot(dx, dy);
}

}  // namespace

TEST(FrameLayout, ContactPanelCoversNoBodyAndNoLimb) {
  // The seven events of the menu at their instants and the eclipse of 12 August 2026, seen from
  // Hannover, in both systems, at three screen sizes (Courier 10 pt: 21 by 10 pixels).
  const struct {
    TCalendarDate Date;
    long double Clock;  // UT + 1 h
  } events[] = {{{7, 5, 2003}, 9.00L},  {{8, 6, 2004}, 9.2212L}, {{6, 6, 2012}, 4.00L},
                {{20, 3, 2015}, 11.00L}, {{28, 9, 2015}, 1.30L},  {{9, 5, 2016}, 14.00L},
                {{7, 8, 2017}, 19.30L},  {{12, 8, 2026}, 18.4530L}};
  const TObserverCoordinates hannover{.Longitude = 9.73L * Degree, .Latitude = 52.37L * Degree};
  const int L = 21, C = 10;
  for (const auto& e : events) {
    const TInstant at = TInstant::OfClock(e.Date, e.Clock);
    Frame s;
    s.Scene = SceneAt(at, hannover, true, TimeModel::Program);
    ASSERT_NE(s.Scene.Event.Kind, EventKind::None) << e.Date.Year;
    ContactPanelRows panel;
    UpdateContactRows(panel, at.Ut(), TimeModel::Program, true, hannover);
    s.Texts = {"Hannover", "1.1.2000", panel.Rows};
    s.Options.ContactsOn = true;
    for (const int width : {1024, 1280, 1920})
      for (const bool horizon : {false, true}) {
        const int height = width == 1024 ? 768 : width == 1280 ? 800 : 1080;
        s.Options.HorizonView = horizon;
        const FrameLayout f = Layout(s, {width - 1, height - 1, L, C});
        std::vector<PixelCircle> discs = {{f.CentreX, f.CentreY, f.CentreRadius}};
        if (!f.Lunar) discs.push_back({f.SecondX, f.SecondY, f.SecondRadius});
        for (const PlacedText& row : f.Contacts)
          for (const PixelCircle& d : discs)  // the limb's pen lies one pixel outside
            EXPECT_GT(DistanceToBox(d, BoxOf(row, L, C)), d.R + 1)
                << e.Date.Year << " " << width << (horizon ? " horizon: " : ": ") << row.Text;
      }
  }
}
