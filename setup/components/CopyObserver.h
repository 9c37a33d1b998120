#pragma once
// Test hook: a process-wide observer of the copy engine's steps. A test
// program sets one to stop its own process at a chosen point of a copy (a hard
// kill in the middle of a tree) and then checks what a removal of the
// installation history leaves behind. Setup itself never sets an observer;
// without one, a step costs one atomic load.

// The points of a copy an observer hears of.
enum class CopyStep {
    // A directory was just created by MakeDirectories (and recorded, when
    // asked), before anything is put into it.
    kDirectoryMade,
    // CopySingleFile just copied a file (into place, or beside it to be put
    // in place at restart) after recording it, when asked, and before its
    // attributes are set.
    kFileCopied,
};

// Called on the thread that made the step, with the directory or file made.
using CopyObserver = void (*)(CopyStep step, const wchar_t* path);

// Installs |observer| (nullptr: none) and gives the previous one.
CopyObserver SetCopyObserver(CopyObserver observer);

// Tells the observer, when there is one, of a step just made.
void NotifyCopyObserver(CopyStep step, const wchar_t* path);
