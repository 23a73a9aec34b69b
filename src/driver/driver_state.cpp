#include "driver_state.h"

namespace driver {
DriverState Drv;

void ResetDriverState() { Drv = DriverState{}; }
}  // namespace driver
