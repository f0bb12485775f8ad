#pragma once
// Names and paths handed to the zip library: ANSI strings of at most 260 bytes.

#include <string>

// The zip library's limit for paths and entry names, terminating zero included.
constexpr int kZipMaxPath = 260;

// Converts a wide path or entry name to the system's ANSI code page. False when the
// conversion fails or the result would need more than kZipMaxPath bytes with its zero.
bool ToAnsiPath(const wchar_t* wide, std::string& ansi);

// The part of an entry name behind its last folder separator ('/' or '\').
const char* EntryFileNamePart(const char* name);

// The part of an entry name behind its last dot, or an empty string when it has none.
const char* EntryExtension(const char* name);
