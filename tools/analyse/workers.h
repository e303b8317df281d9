// Runs one function on several threads and waits for all of them (Win32 threads on Windows, where
// the toolchain's standard library has none).
#pragma once

namespace pelmor::analyse {

using WorkerFunction = void (*)(void* context, int worker);

// Calls fn(context, i) for i = 0..count-1, each on its own thread, and returns when all are done.
void RunWorkers(int count, WorkerFunction fn, void* context);

}  // namespace pelmor::analyse
