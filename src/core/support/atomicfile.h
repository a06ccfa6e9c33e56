#pragma once
// Whole-file reading and atomic whole-file writing. A write never leaves half a file:
// the bytes go to a temporary file beside the target, which then replaces the target in
// one rename; on any failure the old file stays as it was. Only regular files are read or
// replaced, never a device, a pipe or a folder.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace radexa {

// The outcome of writing a file: empty error when it succeeded.
struct FileWriteResult {
    std::string error; // names the file and the cause; empty on success
    bool ok() const { return error.empty(); }
};

// Replaces (or creates) the file at path with the bytes, atomically. The temporary file
// is owner-only while it is written; the saved file gets the old file's mode, a new one
// 0666 less the umask. Refused with the reason: a target that is no regular file, one
// without any write bit (for root too), one the caller may not write, one with more than
// one hard link, one in a folder the caller cannot write, and a symbolic link in a
// sticky, world-writable folder that neither the caller nor the folder's owner made.
// A link otherwise is followed, so that the file it points to is replaced.
FileWriteResult WriteFileAtomic(const std::string& path, std::string_view bytes);

// Makes a write beyond the file-size limit (ulimit -f) fail with an error instead of
// ending the process; both programs call it first thing in main().
void IgnoreFileSizeSignal();

enum class FileReadStatus { Ok, Missing, Unreadable, TooLarge };

// The outcome of reading a whole file.
struct FileReadResult {
    FileReadStatus status = FileReadStatus::Unreadable;
    std::string bytes; // the whole file when status is Ok
    std::string error; // names the file and the cause when status is not Ok
    bool ok() const { return status == FileReadStatus::Ok; }
};

constexpr std::uint64_t kNoSizeLimit = std::numeric_limits<std::uint64_t>::max();

// Reads the whole file at path; tells a missing file from one that cannot be read. A file
// of more than sizeLimit bytes is refused (TooLarge) before it is read; a lack of memory
// is reported as "not enough memory to read ...", never thrown.
FileReadResult ReadWholeFile(const std::string& path, std::uint64_t sizeLimit = kNoSizeLimit);

// Reads at most the first maxBytes of the file and ignores the rest (Ok also when the
// file is longer). Otherwise as ReadWholeFile.
FileReadResult ReadFileStart(const std::string& path, std::uint64_t maxBytes);

// "1 MiB", "64 KiB", "300 bytes": a size limit as the messages name it.
std::string SizeText(std::uint64_t bytes);

} // namespace radexa
