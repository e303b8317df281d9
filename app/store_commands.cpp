// The Game menu's commands on the settings and statistics store: No Hints and High Scores.
#include "app/table.h"
#include "store/settings_store.h"
#include "store/statistics.h"

namespace pelmor::app {

void PelmorTable::NoHints1Click() {
  bool checked = !platform_.NoHintsChecked();
  platform_.SetNoHintsChecked(checked);
  store::WriteNoHints(platform_.Registry(), checked);
}

void PelmorTable::HighScores1Click() {
  store::PlayStatistics statistics = store::ReadStatistics(platform_.Registry());
  platform_.ShowMessage(store::StatisticsText(statistics, platform_.LocaleNumberSeparators()), "Pelmor Statistics",
                        Buttons::kOk, Icon::kNone);
}

}  // namespace pelmor::app
