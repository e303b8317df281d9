// Times one full repaint of the table window, for a fresh deal and with 40 discards, and prints
// the medians. Runs the real table window code; the settings key must exist (no first start).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "game/piles.h"
#include "ui/table_window.h"

namespace {

double MedianRepaintMicroseconds(pelmor::ui::TableWindow& window, int rounds) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    window.Repaint();
    GdiFlush();
    QueryPerformanceCounter(&end);
    times.push_back(1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  pelmor::ui::TableWindow window({"Pelmor.exe", "0"});
  if (!window.Create()) return 1;
  ShowWindow(window.hwnd(), SW_SHOWNORMAL);
  UpdateWindow(window.hwnd());
  const int rounds = 200;
  double fresh = MedianRepaintMicroseconds(window, rounds);
  auto& piles = window.Table().MutableGame().piles;
  for (int i = 0; i < 40; ++i) pelmor::game::MoveTopCard(piles[pelmor::game::kStock], piles[pelmor::game::kDiscard]);
  double discards = MedianRepaintMicroseconds(window, rounds);
  std::printf("repaint, fresh deal: %.0f us (median of %d)\n", fresh, rounds);
  std::printf("repaint, 40 discards: %.0f us (median of %d)\n", discards, rounds);
  return 0;
}
