// shell-recorder: a stand-in for the programs the shell starts (a word processor, a web browser, a
// file type's viewer). It appends one line to "<its own path>.log": its command line, a tab and
// its working directory, and ends at once.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  char cwd[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, cwd);
  std::string line = std::string(GetCommandLineA()) + "\t" + cwd + "\n";
  std::FILE* log = std::fopen((std::string(self) + ".log").c_str(), "ab");
  if (log == nullptr) return 1;
  std::fwrite(line.data(), 1, line.size(), log);
  std::fclose(log);
  return 0;
}
