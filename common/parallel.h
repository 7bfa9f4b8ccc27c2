#pragma once
#include <cstddef>
#include <functional>

// Calls job(0) to job(count - 1), each once, on a few threads, the caller's among them, and
// returns when all are done. For probes of many folders that mostly wait on the file system;
// each job must touch only its own results and state that is safe to share.
void ForEachInParallel(std::size_t count, const std::function<void(std::size_t)>& job);
