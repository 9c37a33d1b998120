#pragma once
// Makes a directory path with every missing parent, optionally recording each
// directory it creates in the installation history.

#include <cstddef>

// The longest directory path, its trailing backslash included, that the
// platform lets a program create: MAX_PATH less room for an 8.3 file name.
constexpr std::size_t kMaxDirectoryPathChars = 248;

// Creates each directory of |path| that is missing, from the one after the
// first backslash down to the last (the part before the first backslash, a
// drive such as "C:", is never created): for "C:\A\B", "C:\A\" and then
// "C:\A\B\". With |record| each directory created is recorded, with its
// trailing backslash, as a directory (kind 1) in the installation history's
// default key, in the order of creation; a failing record does not stop the
// work. The record is written just before the directory is created and taken
// back when the creation fails, so that a process ended in between never
// leaves a directory the history does not know of. Directories that already
// exist are neither created nor recorded.
//
// False when a directory cannot be created, or when a file stands where a
// directory should be; the directories made until then stay (and stay
// recorded). False, without creating anything, for a path longer than
// kMaxDirectoryPathChars with its trailing backslash. An absent or empty path,
// or one without a backslash, creates nothing and gives true.
bool MakeDirectories(const wchar_t* path, bool record);
