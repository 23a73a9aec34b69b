#include "contact_panel.h"

#include "astr_rout.h"
#include "frame_layout.h"
#include "number_text.h"
#include "scene.h"
#include "text_codec.h"

namespace driver {
using namespace astro;
using namespace geometry;
using namespace text;
namespace {

// Labels are padded to one width so that the times stand in one column.
constexpr std::size_t LabelWidth = 16;

std::string Row(const std::string& label, search::Second at) {
  return " " + PaddedText(label, LabelWidth) + ContactTimeText(at);
}

void AddEarthRows(const search::TEarthContacts& earth, const TObserverCoordinates* lunarSite,
                  std::vector<TextRow>& rows) {
  const search::TFoundEvent& event = earth.Event;
  auto add = [&](const char* label, const std::optional<search::Second>& at) {
    if (!at) return;
    TextRow row{static_cast<int>(rows.size()), Row(label, *at)};
    if (lunarSite) {
      const long double altitude = MoonAltitudeAt(TInstant::At(*at), *lunarSite, event.Model);
      row.Text += "  Mondhöhe " + FormatNumber(altitude, 0.1L) + "°";
      row.Warning = altitude < 0;
      if (row.Warning) row.Text += " unter dem Horizont";
    }
    rows.push_back(row);
  };
  rows.push_back({0, event.Model == TimeModel::Exact
                        ? " Kontaktzeiten für die ganze Erde, wie beobachtet:"
                        : " Kontaktzeiten für die ganze Erde, Modell des Programms:"});
  add("Beginn", event.Begin);
  if (event.Kind == EventKind::LunarEclipse) {
    add("Beginn partiell", earth.PartialBegin);
    add("Beginn total", earth.TotalBegin);
    add("Mitte", event.Greatest);
    add("Ende total", earth.TotalEnd);
    add("Ende partiell", earth.PartialEnd);
  } else if (event.Kind == EventKind::SolarEclipse) {
    add("Beginn zentral", earth.CentralBegin);
    add("Ende zentral", earth.CentralEnd);
  }
  add("Ende", event.End);
}

std::string SiteLabel(int number) {
  return number == 0 ? "größte Phase" : std::to_string(number) + ". Kontakt";
}

}  // namespace

std::string DurationText(search::Second seconds) {
  return std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) + " s";
}

std::string ContactTimeText(search::Second s) {
  const TInstant at = TInstant::At(s);
  return UtDateText(at) + " " + UtTimeText(at) + " UT";
}

std::vector<TextRow> ContactRows(const std::optional<search::TEarthContacts>& earth,
                                 const search::TLocalEclipse* site,
                                 const TObserverCoordinates* lunarSite) {
  std::vector<TextRow> rows;
  if (!earth) {
    rows.push_back({0, " Kontaktzeiten: kein Ereignis"});
    return rows;
  }
  AddEarthRows(*earth, lunarSite, rows);
  if (!site) return rows;
  auto add = [&rows](const std::string& text, bool warning = false) {
    rows.push_back({static_cast<int>(rows.size()), text, warning});
  };
  if (site->Contacts.empty()) {
    add(" Kontaktzeiten am Beobachtungsort: keine");
    return rows;
  }
  add(" Kontaktzeiten am Beobachtungsort:");
  for (const search::TSiteContact& c : site->Contacts) {
    std::string text = Row(SiteLabel(c.Number), c.At) +
                       "  Sonnenhöhe " + FormatNumber(c.SunAltitude, 0.1L) + "°";
    if (c.SunBelowHorizon) text += " unter dem Horizont";
    add(text, c.SunBelowHorizon);
  }
  if (site->Sunrise) add(Row("Sonnenaufgang", *site->Sunrise));
  if (site->Sunset) add(Row("Sonnenuntergang", *site->Sunset));
  if (site->Phase != LocalPhase::None && earth->Event.Kind == EventKind::SolarEclipse)
    add(" größte Phase am Ort: Größe " + PlainNumber(site->Magnitude, 1.3L) + ", Bedeckung " +
        PlainNumber(100 * site->Obscuration, 2.1L) + " %");
  if (site->CentralSeconds > 0)
    add(std::string(site->Phase == LocalPhase::Total ? " Totalität" : " Ringförmigkeit") +
        " am Ort: " + DurationText(site->CentralSeconds));
  return rows;
}

void UpdateContactRows(ContactPanelRows& panel, search::Second at, TimeModel model, bool site,
                       const TObserverCoordinates& coordinates) {
  if (panel.Found && panel.At == at && panel.Model == model && panel.Site == site &&
      (!site || (panel.Latitude == coordinates.Latitude &&
                 panel.Longitude == coordinates.Longitude)))
    return;
  panel = {true, at, model, site, coordinates.Latitude, coordinates.Longitude, {}};
  const search::TSearchResult inProgress = search::EventInProgress(at, model);
  if (!inProgress.Event) {
    panel.Rows = ContactRows(std::nullopt, nullptr);
    return;
  }
  const search::TFoundEvent& event = *inProgress.Event;
  // A lunar eclipse looks the same from every site that sees the Moon: no contacts of its own,
  // but the Moon's altitude there at each phase.
  const bool lunar = event.Kind == EventKind::LunarEclipse;
  if (site && !lunar) {
    const search::TLocalEclipse local = search::LocalEclipse(event, coordinates);
    panel.Rows = ContactRows(search::EarthContacts(event), &local);
  } else {
    panel.Rows = ContactRows(search::EarthContacts(event), nullptr,
                             site && lunar ? &coordinates : nullptr);
  }
}
}  // namespace driver
