// Waiting a bounded time for a call that may never return: a server that takes a
// connection but does not answer must not hold the script.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace ml {

// Runs the work on a thread of its own and gives its result, or nothing when the time
// ran out first. The thread is then left to finish, or to wait for ever, alone: its
// late result is dropped, and the caller must not touch what the work was using.
template <class Result>
std::optional<Result> WithinLimit(std::chrono::milliseconds limit, std::function<Result()> work) {
    struct Outcome {
        std::mutex lock;
        std::condition_variable finished;
        std::optional<Result> result;
    };
    auto outcome = std::make_shared<Outcome>();
    std::thread([outcome, work = std::move(work)] {
        Result result = work();
        const std::lock_guard<std::mutex> hold(outcome->lock);
        outcome->result = result;
        outcome->finished.notify_one();
    }).detach();
    std::unique_lock<std::mutex> hold(outcome->lock);
    outcome->finished.wait_for(hold, limit, [&] { return outcome->result.has_value(); });
    return outcome->result;
}

}  // namespace ml
