// The stack guard and the handlers of stack protection and fortified calls. MinGW-w64's libssp
// would provide them too, but its start-up seeds the guard through ADVAPI32, a DLL the game does
// not otherwise import; here it is seeded through msvcrt.
#define _CRT_RAND_S  // before stdlib.h: declares rand_s
#include <stdlib.h>
#include <windows.h>

#include <cstdint>

extern "C" {

// Every protected frame keeps a copy below its return address and compares it on the way out.
// Fixed until it is seeded, so that frames made earlier still match.
uintptr_t __stack_chk_guard = static_cast<uintptr_t>(0x5AC3E1F2D7B48619ULL);

// A frame's copy was overwritten, or a fortified call was about to write past its buffer. Nothing
// the process would do next can be trusted, so it ends at once, without running any handler.
[[noreturn]] void __stack_chk_fail() {
    TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    __builtin_trap();
}

[[noreturn]] void __chk_fail() {
    __stack_chk_fail();
}

}  // extern "C"

namespace {

// Runs before every other constructor, while no protected frame is open. It is not protected
// itself: it changes the value its own frame would be checked against.
__attribute__((constructor(101), no_stack_protector)) void SeedStackGuard() {
    unsigned int high = 0;
    unsigned int low = 0;
    if (rand_s(&high) == 0 && rand_s(&low) == 0) {
        __stack_chk_guard = static_cast<uintptr_t>(static_cast<uint64_t>(high) << 32 | low);
    }
}

}  // namespace
