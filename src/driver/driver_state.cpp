#include "driver_state.h"

DriverState Drv;

void ResetDriverState() { Drv = DriverState{}; }
