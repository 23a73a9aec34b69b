// The driver's test session for hostile input: no home and no XDG folders (only the working
// folder holds data files and pictures), no City.dat, and every unscripted prompt confirmed.
#pragma once
#include <filesystem>

#include "driver_fixture.h"
#include "driver_state.h"
#include "sky_search.h"

class ConsoleReliabilityTest : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    ConfirmUnscripted = true;
    std::filesystem::remove(folder_ / "City.dat");
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
      environment_.Set(name, std::nullopt);
  }
};

// What the driver holds of the instant on the screen.
inline InstantResult OnScreen() { return {driver::Drv.Scene.Sky, driver::Drv.Scene.Event, driver::Drv.Scene.Observer, driver::Drv.Scene.View}; }
