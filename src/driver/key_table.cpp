#include "key_table.h"

namespace driver {
// The help lines keep their colons under each other.
const std::array<KeyHelp, 13> KeyTable = {{
    {"Cursor rechts/links", "Zeitschritt vorwärts/rückwärts", "cursor right / left",
     " Cursor rechts/links: Zeitschritt Vorwärts vorwärts/rückwärts", 4},
    {"+, -", "größerer/kleinerer Zeitschritt", "`+` / `-`",
     "            \"+\", \"-\": Vergrößerung/Verkleinerung des Zeitschritts", 5},
    {"m", "Messwerte an/aus (nicht im Horizontsystem)", "`m`",
     "               \"m\": zeige Messwerte an/aus (falls nicht horizontal)", 3},
    {"n, v", "nächstes/vorheriges Ereignis", "`n` / `v`",
     "            \"n\", \"v\": nächstes/vorheriges Ereignis; \"k\": Kontaktzeiten an/aus", 1},
    {"N, V", "nächstes/vorheriges am Ort sichtbares Ereignis", "`N` / `V` (Shift)", "", 0},
    {"k", "Kontaktzeiten an/aus", "`k`", "", 0},
    {"t", "Zeiten wie beobachtet (TT = UT + Delta T) an/aus", "`t`",
     "                 \"t\": Zeiten wie beobachtet (TT = UT + Delta T) an/aus", 0},
    {"p", "Pause bis zum nächsten Tastendruck", "`p`", "", 0},
    {"s", "Bild speichern (%s01.bmp, …)", "`s`", "                 \"s\": Speicherung des Bildes", 6},
    {"S", "Bild als PNG speichern (%s01.png, …)", "`S` (Shift+S)", "", 0},
    {"F1", "Hilfe", "F1", "", 0},
    {"Esc", "neue Parameter", "Esc", "               \"Esc\": Eingabe neuer Parameter", 7},
    {"Strg-C", "Ende", "Ctrl+C", "            \"Strg-C\": Abbruch des Programmes", 8},
}};

const std::string HelpHeading = " weiter mit Tastendruck: ";
}  // namespace driver
