// "wake.log" beside the executable, in the ANSI code page with CR LF, as
// Notepad on XP reads it.
#pragma once
#include "wake_job/wake_record.h"

WakeLog& FileWakeLog();
