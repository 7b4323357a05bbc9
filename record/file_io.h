#pragma once

// Whole-file reads and crash-safe writes for the files the user saves (records, pictures).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace go {

enum class FileReadError { None, CannotOpen, CannotRead, TooLarge };

struct FileReadResult {
    FileReadError error = FileReadError::None;
    std::string detail;  // the system's reason, for diagnostics
    std::vector<uint8_t> bytes;
    bool ok() const { return error == FileReadError::None; }
};

// Reads a regular file whole; refuses anything larger than `maxBytes`.
FileReadResult ReadWholeFile(const std::string& path, size_t maxBytes);

struct FileWriteResult {
    bool written = false;
    std::string detail;  // the system's reason when not written
};

// Writes `bytes` to a new file beside `path`, flushes it to disk and renames it over `path`, so
// that a failure at any step leaves an existing file as it was.
FileWriteResult WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace go
