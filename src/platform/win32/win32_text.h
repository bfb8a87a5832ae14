// Conversions between the bytes of a code page and the UTF-16 the system's wide
// functions take.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ml {

// UTF-16 from bytes of a code page; empty when the system cannot convert them.
std::wstring ToWide(UINT codePage, std::string_view bytes);
// Bytes of a code page from UTF-16; empty when the system cannot convert them.
std::string FromWide(UINT codePage, std::wstring_view wide);

// The code page of a script's texts: the console's; without a console, the ANSI one.
UINT ScriptCodePage();

}  // namespace ml
