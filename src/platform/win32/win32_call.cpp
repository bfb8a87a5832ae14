#include "platform/win32/win32_call.h"

namespace ml {

#if defined(_WIN64)

namespace {

// The x64 convention has one form: four registers, then the stack, which the caller
// always cleans up; one signature serves any function of up to ten integer parameters.
using TenPositions = std::intptr_t (*)(std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t,
                                       std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t,
                                       std::intptr_t, std::intptr_t);

}  // namespace

std::intptr_t CallTenPositions(void* function, const std::array<std::intptr_t, 10>& a) {
    const auto target = reinterpret_cast<TenPositions>(function);
    return target(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
}

#else

// On x86 a __stdcall function pops as many bytes as it declares, a __cdecl one pops
// nothing, and neither knows we pushed ten values. The thunk therefore keeps its
// entry stack pointer in ebp (preserved by both conventions) and restores it after
// the call, whatever the callee did to esp.
//
//   int32_t ml_call_ten(void* function, const int32_t positions[10])   (__cdecl)
//   after the prologue: 8(%ebp) = function, 12(%ebp) = positions
static_assert(sizeof(void*) == 4 && sizeof(std::intptr_t) == 4, "the thunk passes 4-byte positions");
static_assert(sizeof(std::array<std::intptr_t, 10>) == 40, "the thunk reads positions at offsets 0..36");

extern "C" std::intptr_t ml_call_ten(void* function, const std::intptr_t* positions) __asm__("ml_call_ten");

__asm__(
    ".text\n"
    ".globl ml_call_ten\n"
    "ml_call_ten:\n"
    "    pushl %ebp\n"
    "    movl %esp, %ebp\n"
    "    movl 12(%ebp), %ecx\n"
    // Pushed last to first, so position 1 ends at the lowest address.
    "    pushl 36(%ecx)\n"
    "    pushl 32(%ecx)\n"
    "    pushl 28(%ecx)\n"
    "    pushl 24(%ecx)\n"
    "    pushl 20(%ecx)\n"
    "    pushl 16(%ecx)\n"
    "    pushl 12(%ecx)\n"
    "    pushl 8(%ecx)\n"
    "    pushl 4(%ecx)\n"
    "    pushl (%ecx)\n"
    "    call *8(%ebp)\n"
    "    movl %ebp, %esp\n"
    "    popl %ebp\n"
    "    ret\n");

std::intptr_t CallTenPositions(void* function, const std::array<std::intptr_t, 10>& positions) {
    return ml_call_ten(function, positions.data());
}

#endif

}  // namespace ml
