// The registry of window hooks: for each hooked window the chain of its hooks, newest first. A message
// reaches the first hook, and each passes what it leaves alone to the next.
#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

class HookChain {
  public:
    // Puts the hook at the head of the window's chain (a hook already there moves to the head).
    void Add(const void* window, void* hook);
    // Takes the hook out of the window's chain; the window leaves the registry with its last hook.
    void Remove(const void* window, void* hook);
    // Every hook of the window, newest first, and the window leaves the registry.
    std::vector<void*> TakeAll(const void* window);

    // The window's hooks, newest first; empty for a window without hooks.
    const std::vector<void*>& Chain(const void* window) const;
    // The hook after `hook` in its window's chain; null for the last.
    void* Next(const void* window, const void* hook) const;
    std::size_t WindowCount() const { return chains_.size(); }

  private:
    std::unordered_map<const void*, std::vector<void*>> chains_;
};
