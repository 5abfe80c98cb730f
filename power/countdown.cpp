#include "power/countdown.h"

bool RunCountdown(CountdownUi& ui) {
  ui.Show();
  ui.SetProgress(0);
  const std::int64_t start = ui.NowMs();
  for (int pass = 1; pass <= kCountdownPasses; ++pass) {
    ui.SetProgress(pass);
    ui.ProcessMessages();
    if (ui.SuspendCancelled()) {
      ui.Close();
      return false;
    }
    ui.WaitUntil(start + pass * kCountdownPassMs);
  }
  ui.Close();
  return true;
}
