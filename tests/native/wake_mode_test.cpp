#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "power/wake_mode.h"

namespace {
// The machine after a timer wake, its clock counted from 07:00:05 by the waits; the tick count wraps during the run.
class FakeMachine : public WakeModeSystem, public Clock, public WakeLog {
 public:
  bool automatic = true, holdOk = true, inputReadable = true, console = true, hibernateOk = true;
  std::optional<std::uint32_t> inputAfterMs;  // a person's first touch, after the start
  const std::uint32_t start = 0xFFFFFFFFu - 90000u;
  std::uint32_t ticks = start, heldMs = 0;
  bool held = false, hibernated = false;
  std::vector<std::wstring> lines;

  bool ResumeAutomatic() override { return automatic; }
  bool HoldSystem(bool hold) override { return held = hold && holdOk, holdOk || !hold; }
  std::uint32_t Ticks() override { return ticks; }
  std::optional<std::uint32_t> LastInputTicks() override {
    if (!inputReadable) return std::nullopt;
    return inputAfterMs && ticks - start >= *inputAfterMs ? start + *inputAfterMs : start - 2000;  // before: the wake's own
  }
  bool WatchesConsole() override { return console; }
  void Wait(std::uint32_t ms) override { ticks += ms, heldMs += held ? ms : 0; }
  bool Hibernate() override { return hibernated = true, hibernateOk; }
  CivilDateTime Now() override { return AddSeconds({2027, 1, 5, 7, 0, 5}, (ticks - start) / 1000); }
  std::optional<CivilDateTime> Utc(const CivilDateTime& t) override { return t; }
  LocalTimeKind Kind(const CivilDateTime&) override { return LocalTimeKind::Once; }
  void Append(const std::wstring& line) override { lines.push_back(line); }
};
}  // namespace

// What the wake mode writes to wake.log, how long it holds the system (never longer than chosen, and let go at
// the end), and when it hibernates the machine again: only on proof that nobody came.
TEST(WakeMode, HoldsThenLetsGoAndHibernatesOnlyWhenNobodyCame) {
  // The first line: the task's start at 07:00:05, the length held, and whether Windows called the resume automatic.
  const auto begun = [](const wchar_t* length, const wchar_t* how = L"自動での復帰") {
    return L"2027/01/05 07:00:05 復帰後 タスクが始まりました。" + std::wstring(length) + L"スリープさせずに待ちます（Windows の判定: " + how + L"）。";
  };
  const struct Row {
    const char* name;
    AfterWake choice;
    std::function<void(FakeMachine&)> setup;
    std::vector<std::wstring> lines;
    int exit = 0;
    bool hibernated = false;
  } rows[] = {
      {"held, nobody came", {30, false}, [](FakeMachine&) {},
       {begun(L"30 分間"), L"2027/01/05 07:30:05 復帰後 30 分間操作がなかったため、スリープの抑止を終えました。"}},
      {"hibernated again", {90, true}, [](FakeMachine&) {}, {begun(L"1 時間 30 分間"),
        L"2027/01/05 08:30:05 復帰後 1 時間 30 分間操作がなかったため、スリープの抑止を終えました。休止状態に戻します。"}, 0, true},
      {"a person came", {120, true}, [](FakeMachine& m) { m.inputAfterMs = 12 * 60000 + 3; }, {begun(L"2 時間"),
        L"2027/01/05 07:12:10 復帰後 12 分後に操作があったため、スリープの抑止を終えました。以後は Windows の電源設定に従います。"}},
      {"a person at the start", {5, true}, [](FakeMachine& m) { m.automatic = false, m.inputAfterMs = 1; },
       {begun(L"5 分間", L"自動での復帰ではありません"), L"2027/01/05 07:00:10 復帰後 1 分たたないうちに操作があったため、"
        L"スリープの抑止を終えました。以後は Windows の電源設定に従います。"}},
      {"hibernation refused", {1, true}, [](FakeMachine& m) { m.hibernateOk = false; }, {begun(L"1 分間"),
        L"2027/01/05 07:01:05 復帰後 1 分間操作がなかったため、スリープの抑止を終えました。休止状態に戻します。",
        L"2027/01/05 07:01:05 復帰後 Windows が休止状態への移行を受け付けませんでした。"}, 2, true},
      // Not proven: a session that is not the console's, or input Windows would not report.
      {"another session at the console", {1, true}, [](FakeMachine& m) { m.console = false; }, {begun(L"1 分間"),
        L"2027/01/05 07:01:05 復帰後 1 分間操作がなかったため、スリープの抑止を終えました。"
        L"コンピューターの前に人がいないことを確かめられないため、休止状態には戻しません。"}},
      {"input unreadable", {1, true}, [](FakeMachine& m) { m.inputReadable = false; }, {begun(L"1 分間"),
        L"2027/01/05 07:01:05 復帰後 1 分間スリープさせずに待ちました。操作があったかどうかは Windows から得られませんでした。"
        L"コンピューターの前に人がいないことを確かめられないため、休止状態には戻しません。"}},
      {"hold refused", {30, true}, [](FakeMachine& m) { m.holdOk = false; },
       {begun(L"30 分間"), L"2027/01/05 07:00:05 復帰後 Windows がスリープの抑止を受け付けませんでした。"}, 2},
  };
  for (const Row& row : rows) {
    FakeMachine machine;
    row.setup(machine);
    EXPECT_EQ(RunWakeMode(machine, machine, machine, row.choice), row.exit) << row.name;
    EXPECT_EQ(machine.lines, row.lines) << row.name;
    EXPECT_EQ(machine.hibernated, row.hibernated) << row.name;
    EXPECT_FALSE(machine.held) << row.name << ": let go at the end";
    const std::uint32_t chosen = static_cast<std::uint32_t>(row.choice.minutes) * 60000u;
    EXPECT_LE(machine.heldMs, chosen) << row.name;
    EXPECT_LE(machine.ticks - machine.start, machine.inputAfterMs.value_or(chosen) + kWakeModePollMs) << row.name;
  }
}
