// Run-time state of the execution engine: the variable table, the call frames and
// objects of user functions, the executor's own state and the argument slots.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/limits.h"

namespace ml {


// Hashes keys as texts of either kind, so lookups need not build a std::string.
// Keys are short names, for which FNV-1a inline beats the library's general hash.
struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const {
        std::uint64_t hash = 14695981039346656037ull;
        for (unsigned char c : key) hash = (hash ^ c) * 1099511628211ull;
        return static_cast<std::size_t>(hash);
    }
};

// The number a variable's value reads as in arithmetic, found once per value. A
// whole number that arithmetic stored keeps only its number (kTextDue) until its text
// is read (ValueText in core/variables.h). Whether the text holds a marker byte or a
// backslash, which evaluation would read again, and whether its first 255 bytes read
// as arithmetic, are also found once (kInertRead).
struct ValueNumber {
    enum : std::uint8_t {
        kRead = 1, kNumber = 2, kNegative = 4, kInteger = 8, kTextDue = 16, kInertRead = 32, kInert = 64,
        kArithmetic = 128
    };
    double value = 0;
    std::int64_t integer = 0;     // as the remainder reads the text, when kInteger
    std::uint8_t state = 0;       // nothing read yet
    std::uint8_t textLength = 0;  // the length of the text still due
};

struct VarTable {
    std::vector<std::string> keys;    // in creation order
    // Same index. A value changes only through SetValue and is read through ValueText
    // (core/variables.h), which keep it in step with its number.
    std::vector<std::string> values;
    std::vector<ValueNumber> numbers;  // same index
    std::unordered_map<std::string, std::uint16_t, KeyHash, std::equal_to<>> index;  // key -> slot
    std::string key;                  // scratch for building a key
    std::string incoming;             // scratch for a value being made (TakeValue)
    bool mustExist = false;           // read mode: a missing key is an error
};

struct Builtin;

// Where calls of one name go: the built-in function (or none: a user function) and
// the module that has it (one past the last when none has).
struct CallTarget {
    int module;
    const Builtin* builtin;
    std::uint32_t entered = 0;   // the modules entered on the way, one bit each
};

// What a depth's last user call found: the function and the slots of its parameters.
// It holds while the depth keeps the same name (its stamp) and no object was bound
// since, as the function a name reaches and the keys of its locals follow from those.
struct FrameBinding {
    bool found = false;
    std::uint32_t stamp = 0;
    std::size_t objectCount = 0;
    std::size_t function = 0;
    std::vector<std::uint16_t> parameterSlots;
};

// What `Return` hands back: its value's text, or a whole number whose text is made
// only where the calling line reads it as text.
struct ReturnedValue {
    std::string text;
    bool whole = false;
    double number = 0;
};

// One depth of user function calls: how its function was called, what its locals
// are bound to, and the state its statements keep. Depth 0 is the main body, which
// uses only the block search.
struct CallFrame {
    // The calling line and entry, for `Return` and `End Def`: where the call stands in
    // the line, and whether the line is its entry's own text (not one that an earlier
    // call rewrote), so the entry's decoded form knows the line the call leaves.
    int callingEntry = 0;
    std::string callingLine;
    std::size_t callMarker = 0;
    std::size_t callEnd = 0;
    bool callingLineUnchanged = false;
    std::string calledName;   // the name the call used; it ends every local's key
    // A number for each function name the depth has held, never reused, so a slot
    // found for a local stays valid while the depth keeps the same name. 0 in the main body.
    std::uint32_t stamp = 0;
    FrameBinding binding;     // the function and the parameter slots its arguments were bound to
    ReturnedValue result;     // kept here so a `Return` finds room for its text
    // A false condition handed control to the next `ElCmp`, whose condition must be
    // evaluated. Kept per depth, so a function called from a condition neither sees
    // nor clears its caller's search.
    bool elcmpSearch = false;
};

struct CallState {
    CallState() = default;
    // The running frame points into this state's own frames.
    CallState(const CallState&) = delete;
    CallState& operator=(const CallState&) = delete;

    int callDepth = 0;   // 0 in the main body; changed only by enterFrame and leaveFrame
    std::array<CallFrame, kMaxCallDepth + 1> frames;      // by depth
    std::uint32_t lastFrameStamp = 0;
    std::vector<std::pair<std::string, std::string>> objects;  // alias + ".", class
    std::unordered_map<std::string, CallTarget, KeyHash, std::equal_to<>> targets;  // by call name
    // The built-in function running now, as error reports write its name.
    std::string_view runningBuiltin;

    // Every variable reference and block asks for the running frame, so it is kept
    // at hand rather than found from the depth each time.
    CallFrame& runningFrame() { return *running; }
    const CallFrame& runningFrame() const { return *running; }
    // A call goes one depth deeper, `End Def` and `Return` one back: the only ways the
    // depth changes.
    CallFrame& enterFrame() { return *(running = &frames[static_cast<std::size_t>(++callDepth)]); }
    void leaveFrame() { running = &frames[static_cast<std::size_t>(--callDepth)]; }

private:
    CallFrame* running = frames.data();
};

struct ExecState {
    int pc = 0;            // the program counter: the entry being executed
    std::string current;   // the text being executed for the entry
    std::string conditionValues[2];   // scratch: the two sides of a decoded comparison
    bool rerun = false;    // run the current text again
    // Statements left to run; a harness that runs untrusted scripts lowers it so an
    // endless loop ends. Counting down from the maximum never ends a real run.
    std::uint64_t statementsLeft = UINT64_MAX;
};

struct ArgSlots {
    std::vector<std::string> slots;  // argument i in slot i - 1; never shrinks
    int count = 0;
    std::uint64_t plain = 0;         // bit i - 1: argument i is known to hold no marker byte
    // For a user function's call, bit i - 1: numbers[i - 1] is what argument i reads
    // as; where its text is due, the text was not written.
    std::uint64_t numbered = 0;
    std::vector<ValueNumber> numbers;  // same index as slots
};

}  // namespace ml
