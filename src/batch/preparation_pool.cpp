#include "batch/preparation_pool.h"

namespace lumivo {

PreparationPool::PreparationPool(int workers) {
  for (int i = 0; i < workers; ++i) workers_.emplace_back([this] { Work(); });
}

PreparationPool::~PreparationPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    tasks_.clear();  // a stopped run leaves what it has not started
  }
  tasksChanged_.notify_all();
  workers_.clear();  // joins; entries in progress finish first
}

void PreparationPool::Submit(int index, std::string source, EntrySettings settings) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back({index, std::move(source), std::move(settings)});
  }
  tasksChanged_.notify_one();
}

PreparedEntry PreparationPool::Take(int index) {
  std::unique_lock lock(mutex_);
  entryDone_.wait(lock, [&] { return done_.contains(index); });
  auto node = done_.extract(index);
  return std::move(node.mapped());
}

void PreparationPool::Work() {
  PreparationWorkspace workspace;  // reused for every entry of this thread
  for (;;) {
    Task task;
    {
      std::unique_lock lock(mutex_);
      tasksChanged_.wait(lock, [&] { return stopping_ || !tasks_.empty(); });
      if (stopping_) return;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    PreparedEntry prepared = PrepareTimed(task.source, task.settings, workspace);
    {
      std::lock_guard lock(mutex_);
      done_.emplace(task.index, std::move(prepared));
    }
    entryDone_.notify_all();
  }
}

}  // namespace lumivo
