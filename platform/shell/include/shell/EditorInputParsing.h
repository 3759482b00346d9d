#pragma once
// Reading handles and points as users and scripts write them.
#include <string>
#include <vector>

#include "kv/KvDbHandle.h"
#include "kv/KvGePoint3d.h"

// "X,Y" or "X,Y,Z" (z 0 when left out); spaces around the numbers are allowed.
bool ParsePoint(const std::string& text, KvGePoint3d& point);
// Hexadecimal handle text, not 0.
bool ParseHandle(const std::string& text, KvDbHandle& handle);
// Splits at spaces, tabs and commas.
std::vector<std::string> SplitWords(const std::string& text);
std::string LowerCase(std::string text);
