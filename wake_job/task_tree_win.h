// The scheduler of a route as a tree of tasks (wake_job/wake_record.h):
// Task Scheduler 1.0's jobs up to XP, Task Scheduler 2.0's folders from Vista on.
#pragma once
#include <memory>

#include "wake_job/schedule.h"

// nullptr when the scheduler cannot be reached.
std::unique_ptr<TaskTree> OpenSchedulerTree(ScheduleRoute route, const CivilDateTime& asked);
