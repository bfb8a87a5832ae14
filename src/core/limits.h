// Every capacity of the language, each where a script meets it. Scripts rely on these
// exact numbers (the error reports name several of them), so none may change.
#pragma once

#include <cstddef>

namespace ml {

// A value text, a source piece and a result hold at most 255 bytes: the language's
// texts were always 256-byte buffers with their terminating zero.
inline constexpr std::size_t kMaxText = 255;

// The program line table holds 8192 entries; a script that needs more is reported
// after loading, and nothing past this index is ever stored.
inline constexpr int kMaxEntries = 8192;

// Blocks opened by `Cmp` may nest 16 deep: the loader keeps one open entry per level.
inline constexpr int kMaxOpenCmp = 16;

// Variables live in one table of at most 4097 entries (indices 0 to 4096).
inline constexpr int kMaxVariables = 4097;

// User functions may be nested 16 deep; depth 0 is the main body.
inline constexpr int kMaxCallDepth = 16;

// A file that imports itself, directly or through others, would load for ever; no
// real script nests imports this deep.
inline constexpr int kMaxImportDepth = 32;

// A native function may write into a text argument as into an argument slot of the
// table, so each text is handed over in a zero-filled buffer of a slot's size.
inline constexpr std::size_t kNativeTextBytes = 768;

}  // namespace ml
