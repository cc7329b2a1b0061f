// Replacing a stored file whole. The new contents go to a temporary file in the
// same folder, are flushed to the disk and renamed over the old file, so any
// reader sees either the old file or the new one, never a part of either, and
// a write that fails (disk full, quota, I/O error) leaves the old file as it was.
#pragma once

#include <string>

// 0 when path now holds contents; otherwise the errno of the step that failed,
// with the old file untouched and no temporary file left behind. A new file is
// created as fopen(path, "w") would create it; an existing one keeps its mode.
int ReplaceFileContents(const std::string& path, const std::string& contents);
