// The record's scan on a Task Scheduler 2.0 tree of Windows 10's size: 300
// tasks in 60 folders, half of them disabled, a few that wake the machine,
// each call to the service costing a millisecond. Prints the calls per task
// and the scan's time as bench rows (name, subject, median, min, max, unit),
// beside what the earlier scan made of the same tree, counted from its calls:
// every folder opened twice (once for its tasks, once for its subfolders), and
// every listed task's definition fetched, disabled ones included.
//   scan_bench [runs (default 5)]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/support/fake_task_tree.h"

namespace {
constexpr int kFolders = 60, kTasksPerFolder = 5, kWaking = 8;
const CivilDateTime kAsked{2027, 1, 5, 7, 5, 0};

// Folders three deep under "\Microsoft\Windows", as on Windows 10; every
// fifth task in the first eight folders wakes, two of them due before the
// asked minute; half the tasks disabled, alternately.
FakeTaskTree Windows10Tree() {
  FakeTaskTree tree;
  std::vector<std::wstring> paths{L"\\", L"\\Microsoft", L"\\Microsoft\\Windows"};
  for (int i = 0; static_cast<int>(paths.size()) < kFolders; ++i)
    paths.push_back(L"\\Microsoft\\Windows\\Folder" + std::to_wstring(i));
  for (std::size_t f = 0; f < paths.size(); ++f) {
    FakeTaskTree::Folder& folder = tree.folders[paths[f]];
    for (int t = 0; t < kTasksPerFolder; ++t) {
      const int n = static_cast<int>(f) * kTasksPerFolder + t;
      const bool wakes = t == 0 && static_cast<int>(f) < kWaking;
      const FirstRun run{true, n % 4 == 0 ? std::optional<CivilDateTime>(CivilDateTime{2027, 1, 5, 3, 0, 0})
                                          : std::optional<CivilDateTime>(CivilDateTime{2027, 1, 5, 9, 0, 0})};
      folder.tasks->push_back(FakeTaskTree::Task{paths[f] + L"\\Task" + std::to_wstring(n), n % 2 == 0, wakes, run});
    }
    if (f == 0) folder.folders = std::vector<std::wstring>{L"\\Microsoft"};
    if (f == 1) folder.folders = std::vector<std::wstring>{L"\\Microsoft\\Windows"};
    if (f == 2) folder.folders = std::vector<std::wstring>(paths.begin() + 3, paths.end());
  }
  return tree;
}

void Row(const char* name, const char* subject, std::vector<double> values, const char* unit) {
  std::sort(values.begin(), values.end());
  std::printf("%s\t%s\t%.2f\t%.2f\t%.2f\t%s\n", name, subject, values[values.size() / 2], values.front(),
              values.back(), unit);
}
}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const double tasks = kFolders * kTasksPerFolder;
  std::vector<double> calls, ms;
  for (int i = 0; i < runs; ++i) {
    FakeTaskTree tree = Windows10Tree();
    tree.cost = std::chrono::milliseconds(1);
    const auto start = std::chrono::steady_clock::now();
    const WakeScan scan = ScanForEarlierWakers(tree, kAsked, L"\\ResumeRV");
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    calls.push_back(static_cast<double>(*tree.calls) / tasks);
    if (scan.wakers.empty()) return 1;  // the tree is built to hold earlier wakers
  }
  // The earlier scan on the same tree: 4 calls a folder, a definition for
  // every task, run times for the enabled ones that wake.
  const double before = (4.0 * kFolders + tasks + kWaking / 2) / tasks;
  Row("scan_calls_per_task", "earlier scan (counted)", {before}, "calls");
  Row("scan_calls_per_task", "ScanForEarlierWakers", calls, "calls");
  Row("scan_time_1ms_per_call", "earlier scan (counted)", {before * tasks}, "ms");
  Row("scan_time_1ms_per_call", "ScanForEarlierWakers", ms, "ms");
  return 0;
}
