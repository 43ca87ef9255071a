#pragma once
// Worker threads that prepare entries ahead of the committing thread. The
// committing thread submits entries with their settings and takes them back
// in list order.

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "batch/entry_preparation.h"

namespace lumivo {

class PreparationPool {
 public:
  explicit PreparationPool(int workers);
  ~PreparationPool();
  PreparationPool(const PreparationPool&) = delete;
  PreparationPool& operator=(const PreparationPool&) = delete;

  void Submit(int index, std::string source, EntrySettings settings);
  // Blocks until the entry is prepared.
  PreparedEntry Take(int index);

 private:
  struct Task {
    int index = 0;
    std::string source;
    EntrySettings settings;
  };
  void Work();

  std::mutex mutex_;
  std::condition_variable tasksChanged_;
  std::condition_variable entryDone_;
  std::deque<Task> tasks_;
  std::map<int, PreparedEntry> done_;
  bool stopping_ = false;
  std::vector<std::jthread> workers_;
};

}  // namespace lumivo
