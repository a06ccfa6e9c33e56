#pragma once
// Whole-file reading and atomic whole-file writing. A write never leaves half a file:
// the bytes go to a temporary file beside the target, which then replaces the target in
// one rename; on any failure the old file stays as it was.

#include <string>
#include <string_view>

namespace radexa {

// The outcome of writing a file: empty error when it succeeded.
struct FileWriteResult {
    std::string error; // names the file and the cause; empty on success
    bool ok() const { return error.empty(); }
};

// Replaces (or creates) the file at path with the bytes, atomically.
FileWriteResult WriteFileAtomic(const std::string& path, std::string_view bytes);

enum class FileReadStatus { Ok, Missing, Unreadable };

// The outcome of reading a whole file.
struct FileReadResult {
    FileReadStatus status = FileReadStatus::Unreadable;
    std::string bytes; // the whole file when status is Ok
    std::string error; // names the file and the cause when status is not Ok
    bool ok() const { return status == FileReadStatus::Ok; }
};

// Reads the whole file at path; tells a missing file from one that cannot be read.
FileReadResult ReadWholeFile(const std::string& path);

} // namespace radexa
