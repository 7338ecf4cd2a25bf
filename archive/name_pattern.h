// archive/name_pattern.h — does a file name fit a wildcard pattern?
//
// "*" is a run of bytes, "?" one byte, "|" separates alternatives; every
// other byte ("." too) stands for itself, and letter case does not matter
// (A-Z and the Cyrillic capitals 0xC0-0xDE of Windows-1251). A name without
// a dot gets one at its end; a name beginning with a dot gets "*" in front.
// The scan runs once from left to right and never backtracks: an inner "*"
// takes at least one byte and stops at the first occurrence of the next
// pattern byte; only a "*" at the very end takes whatever is left.
// "*.*" accepts every name, the empty one included.
#pragma once

#include <string>

// 1 when the name fits the pattern, 0 when not. Every pattern is valid.
int NamePattern(const std::string& name, const std::string& pattern);
