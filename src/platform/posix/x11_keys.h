// Windows virtual keys as an X11 keyboard knows them: the keysym that names the
// same key, and the set-1 scan code a US keyboard gives it.
#pragma once

#include <cstdint>

namespace ml {

// The keysym of the key (letters give their lower-case keysym: the key, not the
// character); 0 for a virtual key that names no key here.
unsigned long KeysymOfVirtualKey(std::uint32_t virtualKey);

// The scan code that translating the virtual key gives on a US keyboard: the
// set-1 code, without the E0 prefix of the extended keys; 0 when there is none.
std::uint32_t ScanCodeOfVirtualKey(std::uint32_t virtualKey);

}  // namespace ml
