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

std::intptr_t CallTenPositions(void* function, const NativeArguments& a) {
    const auto target = reinterpret_cast<TenPositions>(function);
    return target(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
}

#else

// The thunk pushes ten 4-byte words read at offsets 0..36 of the positions.
static_assert(sizeof(void*) == 4 && sizeof(std::intptr_t) == 4, "positions are 4 bytes on x86");
static_assert(sizeof(NativeArguments) == 40, "the positions lie contiguous");

// On x86 a __stdcall function pops the bytes it declares, a __cdecl one pops nothing,
// and neither knows that ten words were pushed. The thunk keeps its entry stack
// pointer in ebp, which both conventions preserve, and restores it after the call,
// whatever the callee did to esp. The stack is 16-byte aligned at the call (ten words
// of 40 bytes after aligning to 8 mod 16), as code built with SSE may expect.
//
//   8(%ebp) = function, 12(%ebp) = positions; the result stays in eax.
// It has external linkage because the compiler may pass the arguments of a function
// local to this file in registers, which the thunk does not read.
extern "C" __attribute__((naked, cdecl)) std::intptr_t ml_CallTenThunk(void*, const std::intptr_t*) {
    __asm__(
        "    pushl %ebp\n"
        "    movl %esp, %ebp\n"
        "    andl $-16, %esp\n"
        "    subl $8, %esp\n"
        "    movl 12(%ebp), %ecx\n"
        // Last to first, so position 1 ends at the lowest address.
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
        // A function that returns a real leaves it on the FPU stack, which must be
        // empty again when an integer-returning call ends; otherwise st(0) is empty
        // already and this does nothing.
        "    ffree %st(0)\n"
        "    movl %ebp, %esp\n"
        "    popl %ebp\n"
        "    ret\n");
}

std::intptr_t CallTenPositions(void* function, const NativeArguments& positions) {
    return ml_CallTenThunk(function, positions.data());
}

#endif

}  // namespace ml
