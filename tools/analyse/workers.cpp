// Worker threads.
#include "tools/analyse/workers.h"

#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "ui/unique_handle.h"
#else
#include <thread>
#endif

namespace pelmor::analyse {

#ifdef _WIN32

namespace {
struct ThreadTraits {
  using Handle = HANDLE;
  static Handle Null() { return nullptr; }
  static void Free(Handle handle) { CloseHandle(handle); }
};
using Thread = ui::UniqueHandle<ThreadTraits>;

struct Start {
  WorkerFunction fn;
  void* context;
  int worker;
};
DWORD WINAPI ThreadMain(LPVOID parameter) {
  auto* start = static_cast<Start*>(parameter);
  start->fn(start->context, start->worker);
  return 0;
}
}  // namespace

void RunWorkers(int count, WorkerFunction fn, void* context) {
  std::vector<Start> starts(static_cast<std::size_t>(count));
  std::vector<Thread> threads;
  for (int i = 0; i < count; ++i) {
    starts[static_cast<std::size_t>(i)] = {fn, context, i};
    Thread thread(CreateThread(nullptr, 0, ThreadMain, &starts[static_cast<std::size_t>(i)], 0, nullptr));
    if (!thread)
      fn(context, i);  // no thread to be had: do this share here
    else
      threads.push_back(std::move(thread));
  }
  for (const Thread& thread : threads) WaitForSingleObject(thread.get(), INFINITE);
}

#else

void RunWorkers(int count, WorkerFunction fn, void* context) {
  std::vector<std::thread> threads;
  for (int i = 0; i < count; ++i) threads.emplace_back(fn, context, i);
  for (auto& thread : threads) thread.join();
}

#endif

}  // namespace pelmor::analyse
