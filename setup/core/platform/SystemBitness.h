#pragma once
// Two separate questions about 64-bit Windows:
//  - Is64BitWindows: the system is 64-bit, so 64-bit drivers and INF sections
//    apply. A 64-bit process only runs on 64-bit Windows; a 32-bit one asks
//    IsWow64Process.
//  - IsWow64Redirected: this is a 32-bit process under WOW64, so the system
//    rewrites its SYSTEM32 paths to SYSWOW64. Never true for a 64-bit process.
// IsWow64Process is bound at run time from "Kernel32.dll"; when it is missing
// or fails, the process is taken not to run under WOW64.

bool Is64BitWindows();
bool IsWow64Redirected();
