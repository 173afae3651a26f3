#pragma once
// Multi-card jobs: one worker per card, each posting its statuses and final result to
// its card's window, while the calling thread dispatches its messages until every
// worker has ended.

#include <cstdint>
#include <functional>

#include "sdk/Corvanix.h"

// Posts (StatusMessage, CallerValue, value) when the record has a window and a
// status message.
void PostStatus(const CommInfo& info, int value);

// What a worker does for card `card` of the call (with its own copy of the card's
// record): posts the statuses it passes through and returns the card's final result.
using CardWork = std::function<int(std::int32_t card, const CommInfo& info)>;

// Runs work for every card of infos that `served` accepts, each on its own worker; a
// refused card gets -37 at once. Each final result is posted and stored: -37, -12 for
// a worker that could not start or ran out of memory, else the work's result. Returns
// when every worker has ended; results, when given, then holds each card's result.
void RunCardJobs(const CommInfo* infos, std::int32_t count, std::int32_t* results,
                 const std::function<bool(const CommInfo&)>& served, const CardWork& work);

// The send types that the restricted multi-card calls serve: TCP and serial.
bool TcpOrSerial(const CommInfo& info);

// Sends one final result to every card without any worker (a job that cannot start).
void FailEveryCard(const CommInfo* infos, std::int32_t count, std::int32_t* results, int code);
