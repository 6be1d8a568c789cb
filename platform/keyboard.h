// The keyboard: input script and key state.
#pragma once

#include <cstdint>

#include "platform/runtime.h"

namespace platform {

// Selects the keyboard script for the focused text field. -17 selects the Roman script: the
// field takes no input-method composition, so keys arrive as plain Roman characters. Other
// codes throw UnsupportedOperationException.
void KeyScript(std::int32_t code);

// Fills the first 16 bytes of `map` with the state of the keys now: key code k is bit (k & 7)
// of byte k / 8. The modifier keys are kept: 55 Command (Meta), 56 Shift, 58 Option (Alt) and
// 59 Control; every other bit is 0. The state is kept by the layer from every key event it
// dispatches. A block of fewer than 16 bytes throws OutOfBoundsException.
void GetKeys(MemoryBlock& map);

}  // namespace platform
