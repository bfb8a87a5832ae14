// The clipboard of an X11 desktop: the CLIPBOARD selection, read by asking its owner
// and set by a small process of our own that owns it.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/posix/x11_connection.h"

namespace ml {

// The selection's text as UTF-8 (or as the bytes of STRING where the owner offers no
// UTF-8), at least its first 255 bytes; empty when nobody owns it, it holds no text,
// or the owner does not answer within two seconds.
std::string ReadClipboard(X11Connection& x11);

// Starts a process, detached from this one, that owns the selection and serves the text
// until another program takes it, so that the text can still be pasted after the script
// has ended. False when the process could not start or take the selection.
bool ServeClipboard(const std::string& text);

}  // namespace ml
