// The program entry: the table window, then the two hidden dialogs, then the message loop.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "ui/about_box.h"
#include "ui/change_deck_window.h"
#include "ui/form.h"
#include "ui/layouts/layouts.h"
#include "ui/table_window.h"

namespace {

using namespace pelmor;

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> args;
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  args.emplace_back(path);
  for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
  return args;
}

class Win32Program : public app::ProgramWindows {
 public:
  void CreateTable() override {
    table_ = std::make_unique<ui::TableWindow>(CommandLineArguments());
    table_->Create();
  }
  void CreateChangeDeck() override {
    changeDeck_ = std::make_unique<ui::ChangeDeckWindow>(*table_);
    if (changeDeck_->Create()) table_->SetChangeDeckDialog(changeDeck_->hwnd());
  }
  void CreateAbout() override {
    about_ = std::make_unique<ui::AboutWindow>(CommandLineArguments());
    about_->Create(table_->hwnd());
    table_->SetAboutWindow(about_.get());
  }
  int ShowTableAndRun() override {
    ShowWindow(table_->hwnd(), SW_SHOWNORMAL);
    UpdateWindow(table_->hwnd());
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (ui::RouteDialogMessage(message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
  }

 private:
  std::unique_ptr<ui::TableWindow> table_;
  std::unique_ptr<ui::ChangeDeckWindow> changeDeck_;
  std::unique_ptr<ui::AboutWindow> about_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Win32Program program;
  return app::RunProgram(program);
}
