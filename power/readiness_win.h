// What the running system says of wake timers and hibernation, judged by
// power/readiness.h: the active plan and the power capabilities, read through
// powrprof.dll loaded at run time (a system without it still runs Reveilo).
#pragma once
#include "power/readiness.h"

WakeTimerCheck QueryWakeTimers();
Readiness QueryHibernation();
Readiness QueryClockWake();
