// A Task Scheduler 2.0 tree for the scan, counting the calls to the service
// that wake_job/task_tree_win.cpp makes for each question: the root opened by
// path, then its tasks and its folders listed (a subfolder comes from its
// parent's list, so it costs the two listings); a definition or a task's run
// times, one call each. `cost` is what each call takes (the bench's stand-in
// for a call across to the service).
#pragma once
#include <chrono>
#include <map>
#include <memory>
#include <thread>

#include "wake_job/wake_record.h"

class FakeTaskTree : public TaskTree {
 public:
  struct Task {
    std::wstring path;
    bool enabled = true;
    std::optional<bool> wakes = true;  // nullopt: the definition cannot be read
    FirstRun run;
  };
  struct Folder {
    std::optional<std::vector<std::optional<Task>>> tasks = std::vector<std::optional<Task>>();
    std::optional<std::vector<std::wstring>> folders = std::vector<std::wstring>();
  };
  std::map<std::wstring, Folder> folders;
  std::shared_ptr<long> calls = std::make_shared<long>(0);  // outlives the tree, which the scan's caller owns
  std::chrono::microseconds cost{0};

  std::optional<TaskFolderListing> Open(const std::wstring& path) override {
    Call(path == L"\\" ? 3 : 2);
    open_ = &folders[path];
    if (!open_->tasks) return TaskFolderListing{std::nullopt, open_->folders};
    std::vector<std::optional<ListedTask>> tasks;
    for (const auto& t : *open_->tasks) tasks.push_back(t ? std::optional(ListedTask{t->path, t->enabled}) : std::nullopt);
    return TaskFolderListing{tasks, open_->folders};
  }
  std::optional<bool> Wakes(std::size_t i) override { return Call(1), (*open_->tasks)[i]->wakes; }
  FirstRun FirstRunBefore(std::size_t i) override { return Call(1), (*open_->tasks)[i]->run; }

 private:
  void Call(int n) {
    *calls += n;
    if (cost.count() > 0) std::this_thread::sleep_for(cost * n);
  }
  const Folder* open_ = nullptr;
};
