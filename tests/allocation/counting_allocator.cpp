// Replaces the global operator new and watches the C allocator, counting every block asked for.
#include "counting_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<int64_t> operatorNewCalls{0};
std::atomic<int64_t> heapBlocks{0};

void CountHeapBlock() {
    heapBlocks.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

// ---- Watching the C allocator --------------------------------------------
// Three ways, because the sanitizer runtime owns malloc in sanitized builds,
// glibc lets a program interpose malloc otherwise, and a statically linked
// Windows program reaches msvcrt's malloc through its own import table.
#if defined(__SANITIZE_ADDRESS__)
// GCC ships the runtime's entry point but not its header.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, size_t),
                                                         void (*freeHook)(const volatile void*));

namespace {
void SanitizerMallocHook(const volatile void*, size_t) {
    CountHeapBlock();
}
void SanitizerFreeHook(const volatile void*) {}

const int hooksInstalled = __sanitizer_install_malloc_and_free_hooks(SanitizerMallocHook, SanitizerFreeHook);
}  // namespace

const char* CountingAllocator::Method() {
    return hooksInstalled != 0 ? "sanitizer allocator hooks" : "sanitizer allocator hooks (not installed)";
}

#elif defined(__GLIBC__)
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);

void* malloc(size_t size) {
    CountHeapBlock();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
    CountHeapBlock();
    return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) {
    CountHeapBlock();
    return __libc_realloc(block, size);
}
}

const char* CountingAllocator::Method() {
    return "glibc malloc interposed";
}

#elif defined(_WIN32)
#include <windows.h>

#include <cstring>

namespace {
using MallocFunction = void* (*)(size_t);
using CallocFunction = void* (*)(size_t, size_t);
using ReallocFunction = void* (*)(void*, size_t);

MallocFunction realMalloc = nullptr;
CallocFunction realCalloc = nullptr;
ReallocFunction realRealloc = nullptr;

void* CountedMalloc(size_t size) {
    CountHeapBlock();
    return realMalloc(size);
}

void* CountedCalloc(size_t count, size_t size) {
    CountHeapBlock();
    return realCalloc(count, size);
}

void* CountedRealloc(void* block, size_t size) {
    CountHeapBlock();
    return realRealloc(block, size);
}

// Points one import-table slot at our function and returns what it held.
template <typename Function>
Function Redirect(ULONG_PTR* slot, Function replacement) {
    DWORD oldProtection;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &oldProtection);
    const auto original = reinterpret_cast<Function>(*slot);
    *slot = reinterpret_cast<ULONG_PTR>(replacement);
    VirtualProtect(slot, sizeof *slot, oldProtection, &oldProtection);
    return original;
}

// The C++ run time, the MinGW helpers and our own code are linked into this
// exe and all call msvcrt's allocator through the exe's import table.
int RedirectMsvcrtAllocator() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(NULL));
    const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int redirected = 0;
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + library->Name), "msvcrt.dll") != 0) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const char* name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
            ULONG_PTR* slot = reinterpret_cast<ULONG_PTR*>(&slots->u1.Function);
            if (std::strcmp(name, "malloc") == 0) {
                realMalloc = Redirect(slot, &CountedMalloc);
                ++redirected;
            } else if (std::strcmp(name, "calloc") == 0) {
                realCalloc = Redirect(slot, &CountedCalloc);
                ++redirected;
            } else if (std::strcmp(name, "realloc") == 0) {
                realRealloc = Redirect(slot, &CountedRealloc);
                ++redirected;
            }
        }
    }
    return redirected;
}

const int redirectedImports = RedirectMsvcrtAllocator();
}  // namespace

const char* CountingAllocator::Method() {
    return redirectedImports == 3 ? "msvcrt imports redirected" : "msvcrt imports (some missing)";
}

#else
const char* CountingAllocator::Method() {
    return "operator new only";
}
#endif

// ---- The global operator new and delete ----------------------------------
// The over-aligned forms keep the library's own: nothing in the game asks for them.
namespace {
void* AllocateCounted(size_t size) {
    operatorNewCalls.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size != 0 ? size : 1);
}

void* AllocateOrThrow(size_t size) {
    void* block = AllocateCounted(size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}
}  // namespace

void* operator new(size_t size) {
    return AllocateOrThrow(size);
}

void* operator new[](size_t size) {
    return AllocateOrThrow(size);
}

void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return AllocateCounted(size);
}

void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return AllocateCounted(size);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, size_t) noexcept {
    std::free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

int64_t CountingAllocator::OperatorNewCalls() {
    return operatorNewCalls.load(std::memory_order_relaxed);
}

int64_t CountingAllocator::HeapBlocks() {
    return heapBlocks.load(std::memory_order_relaxed);
}
