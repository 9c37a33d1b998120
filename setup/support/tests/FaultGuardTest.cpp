// The fault guard: real processor faults and C++ exceptions inside a guarded
// call end that call, again and again, on any thread, and leave the program
// (its C++ exceptions included) working.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <thread>

#include "FaultGuard.h"

namespace {

// Each a function of its own, so that the compiler cannot see through it.
__attribute__((noinline)) void WriteThroughNull() {
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
}

__attribute__((noinline)) void ReadThroughNull() {
    volatile int* volatile nowhere = nullptr;
    volatile int value = *nowhere;
    (void)value;
}

__attribute__((noinline)) void DivideByZero() {
    volatile int zero = 0;
    volatile int quotient = 10 / zero;
    (void)quotient;
}

__attribute__((noinline)) void IllegalInstruction() { __builtin_trap(); }

volatile bool gForever = true;

__attribute__((noinline)) int Recurse(int depth) {
    if (!gForever) return 0;
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    return Recurse(depth + 1) + frame[0];
}

__attribute__((noinline)) void OverflowStack() { (void)Recurse(0); }

__attribute__((noinline)) void ThrowRuntimeError() { throw std::runtime_error("from inside"); }

__attribute__((noinline)) void ThrowInteger() { throw 42; }

struct FAULT_CASE {
    const char* name;
    void (*fault)();
};

const FAULT_CASE kFaults[] = {
    {"write through null", WriteThroughNull},
    {"read through null", ReadThroughNull},
    {"integer division by zero", DivideByZero},
    {"illegal instruction", IllegalInstruction},
    {"stack overflow", OverflowStack},
    {"C++ exception", ThrowRuntimeError},
    {"C++ exception of no class", ThrowInteger},
};

// Counts destructors run, to show that C++ unwinding still works.
struct CCounted {
    explicit CCounted(int& count) : count_(count) {}
    ~CCounted() { ++count_; }
    CCounted(const CCounted&) = delete;
    CCounted& operator=(const CCounted&) = delete;
    int& count_;
};

__attribute__((noinline)) void ThrowThroughObjects(int& destroyed) {
    CCounted first(destroyed);
    CCounted second(destroyed);
    throw std::logic_error("after the faults");
}

TEST(FaultGuard, AReturningCallReportsTrueAndHasItsEffect) {
    int calls = 0;
    EXPECT_TRUE(GuardedCall([&] { ++calls; }));
    EXPECT_EQ(calls, 1);
}

TEST(FaultGuard, EveryKindOfFaultEndsTheCallAgainAndAgain) {
    for (const FAULT_CASE& c : kFaults) {
        for (int round = 0; round < 3; ++round) {
            bool reachedAfterFault = false;
            EXPECT_FALSE(GuardedCall([&] {
                c.fault();
                reachedAfterFault = true;
            })) << c.name << ", round " << round;
            EXPECT_FALSE(reachedAfterFault) << c.name;
        }
    }
    // The program goes on as before: a normal call, then C++ exceptions through frames with destructors.
    int value = 0;
    EXPECT_TRUE(GuardedCall([&] { value = 7; }));
    EXPECT_EQ(value, 7);
    int destroyed = 0;
    EXPECT_THROW(ThrowThroughObjects(destroyed), std::logic_error);
    EXPECT_EQ(destroyed, 2);
}

TEST(FaultGuard, OnlyTheInnermostGuardEndsWhenGuardsNest) {
    bool innerReturned = true;
    bool outerWentOn = false;
    EXPECT_TRUE(GuardedCall([&] {
        innerReturned = GuardedCall([] { WriteThroughNull(); });
        outerWentOn = true;
    }));
    EXPECT_FALSE(innerReturned);
    EXPECT_TRUE(outerWentOn);

    // After the inner guard has finished, a fault belongs to the outer one again.
    bool inner = false;
    EXPECT_FALSE(GuardedCall([&] {
        inner = GuardedCall([] {});
        WriteThroughNull();
    }));
    EXPECT_TRUE(inner);
}

TEST(FaultGuard, WorksOnOtherThreadsAtTheSameTime) {
    bool results[2] = {true, true};
    std::thread first([&] {
        for (int i = 0; i < 20; ++i) results[0] = results[0] && !GuardedCall([] { WriteThroughNull(); });
    });
    std::thread second([&] {
        for (int i = 0; i < 20; ++i) results[1] = results[1] && !GuardedCall([] { DivideByZero(); });
    });
    first.join();
    second.join();
    EXPECT_TRUE(results[0]);
    EXPECT_TRUE(results[1]);
}

}  // namespace
