#pragma once
// Calls into code setup does not control (the support libraries of the medium,
// and whatever the component, INF, printer and network operations hand to
// them) so that a fault inside the call does not end the program:
//
//   int result = 0;
//   if (!GuardedCall([&] { result = entry(a, b); })) { log the fault; result = failure value; }
//
// A fault is a processor exception raised while the call runs on this thread:
// an access violation, an illegal or privileged instruction, an integer
// division by zero or overflow, a floating-point trap, a misaligned access, an
// in-page error or a stack overflow. A C++ exception that escapes the call
// counts as a fault too. Other structured exceptions (breakpoints, exceptions a
// library raises and handles itself, debugger notifications) pass by untouched.
//
// How a fault is survived: one vectored exception handler, installed once for
// the process, acts only on a thread that is inside a guarded call. It points
// the faulting thread at a landing function (on the guard's own stack, above
// the abandoned frames) which jumps back into the guard; the guard then
// reports false. The frames between the guard and the fault are abandoned, not
// unwound: destructors of objects created inside |call| do not run. Keep the
// callable's own body free of objects that own something (copy texts out
// before, not inside, the call). Guards nest: a library calling back into
// setup may make guarded calls of its own.
//
// A vectored handler sees a fault before the library's own handlers do, so a
// library that provokes processor faults on purpose and catches them itself
// (probing memory, say) has them reported as faults here.

#include <memory>
#include <type_traits>

namespace fault_guard {

using GuardedFunction = void (*)(void* context);

// Runs |function|(|context|) on the calling thread. True when it returned;
// false when a fault or a C++ exception escaped it.
bool RunGuarded(GuardedFunction function, void* context) noexcept;

}  // namespace fault_guard

// Runs |call|() under the fault guard: true when it returned, false on a fault.
template <class F>
bool GuardedCall(F&& call) noexcept {
    using Callable = std::remove_reference_t<F>;
    using Mutable = std::remove_const_t<Callable>;
    Mutable* target = const_cast<Mutable*>(std::addressof(call));
    return fault_guard::RunGuarded([](void* context) { (*static_cast<Callable*>(context))(); }, target);
}
