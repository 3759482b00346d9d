#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

// A drawing file that cannot be read or written: the message names the file and, where
// it applies, the line (ASCII files) or byte offset (binary files).
class DxfError : public std::runtime_error {
public:
    explicit DxfError(const std::string& message) : std::runtime_error(message) {}
};

// Where in the input a tag came from, for messages.
struct DxfPosition {
    std::uint32_t line = 0;    // ASCII: line of the group code (from 1); 0 for binary
    std::uint64_t offset = 0;  // byte offset of the tag
    bool binary = false;
    std::string describe() const { return binary ? "byte " + std::to_string(offset) : "line " + std::to_string(line); }
};
