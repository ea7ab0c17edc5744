#pragma once
#include <string>
#include <string_view>

// Replaces the file at `path` with `bytes`: written to a temporary file in the same folder,
// flushed to disk, then renamed over the old file, so a crash or a full disk never leaves a
// half-written file and never loses the old one. Returns false and a readable reason in
// `error` (when given) on failure; the old file is then untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

// Reads the whole file into `bytes`; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
