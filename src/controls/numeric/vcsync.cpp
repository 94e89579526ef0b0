#include "controls/numeric/vcsync.h"

TSyncHub& SyncHub() {
    static TSyncHub hub;
    return hub;
}

TSuspendable*& CurrentSuspendable() {
    thread_local TSuspendable* current = nullptr;
    return current;
}

void SetSyncPoster(TSyncPoster Poster) {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    SyncHub().Poster = std::move(Poster);
    SyncHub().Installed = true;
    SyncHub().WindowThread = std::this_thread::get_id();
}

bool HasSyncPoster() {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    return static_cast<bool>(SyncHub().Poster);
}

bool IsWindowThread() {
    TSuspendPoint point;
    std::lock_guard<std::mutex> lock(SyncHub().Lock);
    return SyncHub().WindowThread == std::this_thread::get_id();
}

void RunSyncRequest(uintptr_t Request) {
    std::unique_lock<std::mutex> lock(SyncHub().Lock);
    const auto it = SyncHub().Waiting.find(Request);
    if (it == SyncHub().Waiting.end()) return; // given up, or already served
    const std::shared_ptr<TSyncRequest> req = it->second;
    SyncHub().Waiting.erase(it);
    req->Run(lock, SyncHub().Wake);
}
