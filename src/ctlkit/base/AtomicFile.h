#pragma once
#include "CFileResult.h"
#include <string>
#include <string_view>

// Replaces the file at `path` with `bytes`: written to a temporary file in the same folder,
// flushed to disk, then renamed over the old file, so a crash or a full disk never leaves a
// half-written file and never loses the old one. On failure CannotWrite with a readable
// reason ("cannot create a file in <folder>", "cannot write <path>" or "cannot replace
// <path>", then ": " and the system's error text); the old file is then untouched.
CFileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads the whole file into `bytes`; CannotOpen ("cannot open <path>: ..." or "cannot read
// <path>: ...") when it cannot be opened or read.
CFileResult ReadWholeFile(const std::string& path, std::string& bytes);
