#include "FaultGuard.h"

#include <windows.h>

#include <float.h>
#include <malloc.h>

#if !defined(__x86_64__) && !defined(__i386__)
#error "The fault guard knows the x86 and x86-64 thread contexts only."
#endif

namespace {

// One guarded call in progress on a thread; lives on the guard's stack. The
// thread's innermost record is kept in a TLS slot (plain Win32 TLS: reading it
// from the exception handler allocates nothing, whatever the faulting code
// held at the time).
struct GUARD_RECORD {
    void* jump[5] = {};               // buffer of __builtin_setjmp
    GUARD_RECORD* outer = nullptr;    // the guarded call this one runs inside
    ULONG_PTR landingStack = 0;       // where the landing function's frame goes
    DWORD faultCode = 0;              // the exception that ended the call
#if defined(__i386__)
    void* exceptionList = nullptr;    // the thread's SEH chain when the call began
#endif
};

// Room left between the guard's record and the landing function's frame, so
// that the landing frame lies below every live frame of the guard itself and
// within stack the faulting call has already used.
constexpr ULONG_PTR kLandingGap = 1024;

LONG CALLBACK OnException(EXCEPTION_POINTERS* info);

struct GUARD_SETUP {
    DWORD slot = TLS_OUT_OF_INDEXES;
    GUARD_SETUP() {
        slot = TlsAlloc();
        if (slot != TLS_OUT_OF_INDEXES && AddVectoredExceptionHandler(1, OnException) == nullptr) {
            TlsFree(slot);
            slot = TLS_OUT_OF_INDEXES;
        }
    }
};

// The slot, and the handler installed with it, once for the process; the
// handler stays until the process ends.
DWORD GuardSlot() {
    static const GUARD_SETUP setup;
    return setup.slot;
}

bool IsProcessorFault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_IN_PAGE_ERROR:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_FLT_DENORMAL_OPERAND:
        case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        case EXCEPTION_FLT_INEXACT_RESULT:
        case EXCEPTION_FLT_INVALID_OPERATION:
        case EXCEPTION_FLT_OVERFLOW:
        case EXCEPTION_FLT_STACK_CHECK:
        case EXCEPTION_FLT_UNDERFLOW:
        case EXCEPTION_STACK_OVERFLOW:
            return true;
        default:
            return false;
    }
}

#if defined(__i386__)
// The head of the thread's chain of exception registrations (FS:[0]).
void* ExceptionList() {
    void* list;
    __asm__ volatile("movl %%fs:0, %0" : "=r"(list));
    return list;
}

void SetExceptionList(void* list) { __asm__ volatile("movl %0, %%fs:0" : : "r"(list) : "memory"); }
#endif

GUARD_RECORD* CurrentRecord(DWORD slot) {
    // TlsGetValue clears the thread's last error; the faulting code may still
    // want it after an exception this handler passes by.
    const DWORD lastError = GetLastError();
    GUARD_RECORD* record = static_cast<GUARD_RECORD*>(TlsGetValue(slot));
    SetLastError(lastError);
    return record;
}

// Runs in place of the faulting instruction, on the guard's stack, and goes
// back into the guard.
[[noreturn]] __attribute__((noinline)) void Land() {
    GUARD_RECORD* record = static_cast<GUARD_RECORD*>(TlsGetValue(GuardSlot()));
    __builtin_longjmp(record->jump, 1);
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
    if (!IsProcessorFault(info->ExceptionRecord->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    const DWORD slot = GuardSlot();
    if (slot == TLS_OUT_OF_INDEXES) return EXCEPTION_CONTINUE_SEARCH;
    GUARD_RECORD* record = CurrentRecord(slot);
    if (record == nullptr) return EXCEPTION_CONTINUE_SEARCH;
    record->faultCode = info->ExceptionRecord->ExceptionCode;
    CONTEXT* context = info->ContextRecord;
    const ULONG_PTR stack = record->landingStack & ~static_cast<ULONG_PTR>(15);
    // Enter Land as if called: the return-address slot below an aligned stack.
#if defined(__x86_64__)
    context->Rsp = stack - sizeof(void*);
    context->Rip = reinterpret_cast<DWORD64>(&Land);
#else
    context->Esp = stack - sizeof(void*);
    context->Eip = reinterpret_cast<DWORD>(&Land);
#endif
    context->EFlags &= ~static_cast<DWORD>(0x400);  // direction flag clear, as every function expects
    return EXCEPTION_CONTINUE_EXECUTION;
}

__attribute__((noinline)) bool CallCatchingExceptions(fault_guard::GuardedFunction function, void* context) noexcept {
    try {
        function(context);
        return true;
    } catch (...) {
        return false;
    }
}

// After a fault: what the abandoned frames may have left behind.
void RecoverFrom(const GUARD_RECORD& record) {
#if defined(__i386__)
    // Exception registrations of the abandoned frames would point into freed stack.
    SetExceptionList(record.exceptionList);
#endif
    _fpreset();  // a floating-point unit left with values on its stack or other traps enabled
    if (record.faultCode == EXCEPTION_STACK_OVERFLOW) _resetstkoflw();  // the stack's guard page again
}

}  // namespace

namespace fault_guard {

__attribute__((noinline)) bool RunGuarded(GuardedFunction function, void* context) noexcept {
    const DWORD slot = GuardSlot();
    if (slot == TLS_OUT_OF_INDEXES) return CallCatchingExceptions(function, context);

    GUARD_RECORD record;
    record.outer = static_cast<GUARD_RECORD*>(TlsGetValue(slot));
    record.landingStack = reinterpret_cast<ULONG_PTR>(&record) - kLandingGap;
#if defined(__i386__)
    record.exceptionList = ExceptionList();
#endif
    GUARD_RECORD* volatile active = &record;
    TlsSetValue(slot, active);

    bool returned = false;
    bool faulted = false;
    if (__builtin_setjmp(active->jump) == 0) {
        returned = CallCatchingExceptions(function, context);
    } else {
        faulted = true;
    }
    TlsSetValue(slot, active->outer);
    if (faulted) RecoverFrom(*active);
    return returned;
}

}  // namespace fault_guard
