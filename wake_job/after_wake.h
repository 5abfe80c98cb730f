// After the timer wake: how long Reveilo keeps the machine up, and whether it
// then hibernates it again. Off (no minutes) leaves the job as it always was:
// the empty Startup.bat, nothing held.
#pragma once
#include <optional>
#include <string>
#include <string_view>

struct AfterWake {
  int minutes = 0;           // 0: off
  bool rehibernate = false;  // back to hibernation when nobody used the machine meanwhile
  bool On() const { return minutes > 0; }
  bool operator==(const AfterWake& other) const {
    return minutes == other.minutes && rehibernate == other.rehibernate;
  }
};

inline constexpr int kMaxAwakeMinutes = 240;
// The lengths the window's menu offers, in its order.
inline constexpr int kAwakeMenuMinutes[] = {5, 15, 30, 60, 120};
// The first word of the line the job starts Reveilo with.
inline constexpr wchar_t kWakeModeWord[] = L"/wake";

// Minutes as the switch and setting.ini write them: one to three ASCII
// digits, from 1 to kMaxAwakeMinutes; nullopt otherwise.
std::optional<int> ReadAwakeMinutes(std::wstring_view digits);
// Takes one command-line word into `into`: "/awake:N" (N from 1 to
// kMaxAwakeMinutes, ASCII digits) or "/rehibernate", either in any case.
// False for any other word, and for a switch given twice.
bool ReadSwitch(std::wstring_view word, AfterWake& into);
// Whether the switches read make a usable choice: "/rehibernate" means
// nothing without minutes to hold.
bool UsableChoice(const AfterWake& choice);
// The switches that give `choice` back through ReadSwitch; empty when off.
std::wstring SwitchesText(const AfterWake& choice);

// The words after the program's name on the job's command line ("/wake
// /awake:30 /rehibernate"), and the line read back; nullopt when it is not
// such a line or holds anything else.
std::wstring WakeModeArguments(const AfterWake& choice);
std::optional<AfterWake> ReadWakeModeLine(std::wstring_view trimmed);
// Whether the line asks for the wake mode at all (its first word).
bool IsWakeModeLine(std::wstring_view trimmed);

// How long the scheduler lets the wake mode run before it stops it: the
// minutes chosen and a margin for a slow start and the hibernation after.
inline constexpr int kRunLimitMarginMinutes = 10;
inline int RunLimitMinutes(const AfterWake& choice) { return choice.minutes + kRunLimitMarginMinutes; }

// A length as the menu and the log say it: "5 分間", "1 時間", "1 時間 30 分間".
std::wstring AwakeLengthText(int minutes);
