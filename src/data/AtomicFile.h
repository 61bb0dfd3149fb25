#pragma once

#include <string>

namespace qv {

// The text of an errno value ("Permission denied").
std::string ErrnoText(int error);

// Writes `content` to a temporary file beside `path` and renames it over
// `path`, so that a failure at any point leaves the old file as it was. A
// read-only target is refused rather than replaced. Throws TableError
// "Cannot write file <path>: <reason>".
void ReplaceFileAtomically(const std::string& path, const std::string& content);

}  // namespace qv
