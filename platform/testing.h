// Seams for tests. Nothing in the shipped program calls these.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>

namespace platform::testing {

// Fixes the date that a new Date holds; UseRealClock returns to the local clock.
void SetToday(std::int32_t year, std::int32_t month, std::int32_t day);
void UseRealClock();

// Called instead of the bell while set; an empty function restores the bell.
void SetBeepHook(std::function<void()> hook);

// An exception that a handler raised while no event loop ran (as in-process tests drive the
// window); nullptr when none. Taking it clears it.
std::exception_ptr TakePendingException();

// The code last given to Quit, if any, and a reset of it for the next test.
bool QuitRequested();
std::int32_t QuitCode();
void ResetQuit();

}  // namespace platform::testing
