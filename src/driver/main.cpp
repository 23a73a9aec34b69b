// syzygy: solar and lunar eclipses and transits of Mercury and Venus, seen at a chosen instant.
#include "fenster_graf.h"
#include "key_tick.h"
#include "main_routine.h"

int main(int argc, char** argv) { return RunConsole(argc, argv, MainRoutine, KeyTick); }
