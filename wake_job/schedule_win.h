// The system ScheduleWakeJob works on, as Windows provides it.
#pragma once
#include "wake_job/schedule.h"

WakeJobSystem& Win32WakeJobSystem();

// The route this machine takes, from its version class; asked once a run.
ScheduleRoute RouteOfThisWindows();
