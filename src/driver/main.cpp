// syzygy: solar and lunar eclipses and transits of Mercury and Venus, seen at a chosen instant.
#include "command_line.h"
#include "fenster_graf.h"
#include "key_tick.h"

int main(int argc, char** argv) {
  // --help and --version answer before any window exists, so they need no display.
  if (const std::optional<int> status = driver::AnswerCommandLine(argc, argv)) return *status;
  return console::RunConsole(argc, argv, driver::KeyTick);
}
