// Input helpers that more than one handler of the window uses.
#pragma once

#include <cstdint>

#include "era/wareki.h"
#include "platform/text.h"

namespace app {

using platform::String;

// The year text's era designation and historical period.
using era::SeirekiWarekiChange;

// Selects the keyboard script; the focus handlers pass -17, the Roman script.
void SetKeyScript(std::int32_t code);

// True when the key with that virtual key code is down now (56 is Shift).
bool CheckKeyDown(std::int32_t keyCode);

// The caution dialog: returns when the user has dismissed it.
void DispMsgbox1(const String& message, const String& explanation);

}  // namespace app
