#include "HookChain.h"

#include <algorithm>

void HookChain::Add(const void* window, void* hook) {
    std::vector<void*>& chain = chains_[window];
    std::erase(chain, hook);
    chain.insert(chain.begin(), hook);
}

void HookChain::Remove(const void* window, void* hook) {
    const auto found = chains_.find(window);
    if (found == chains_.end()) return;
    std::erase(found->second, hook);
    if (found->second.empty()) chains_.erase(found);
}

std::vector<void*> HookChain::TakeAll(const void* window) {
    const auto found = chains_.find(window);
    if (found == chains_.end()) return {};
    std::vector<void*> hooks = std::move(found->second);
    chains_.erase(found);
    return hooks;
}

const std::vector<void*>& HookChain::Chain(const void* window) const {
    static const std::vector<void*> kNone;
    const auto found = chains_.find(window);
    return found == chains_.end() ? kNone : found->second;
}

void* HookChain::Next(const void* window, const void* hook) const {
    const std::vector<void*>& chain = Chain(window);
    const auto found = std::find(chain.begin(), chain.end(), hook);
    if (found == chain.end() || found + 1 == chain.end()) return nullptr;
    return *(found + 1);
}
