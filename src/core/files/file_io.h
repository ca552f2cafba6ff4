#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace hw {

enum class ReadStatus { Ok, NotFound, Failed };

// Reads at most maxBytes from the start of a regular file. A pattern never
// needs more than its first half megabyte, so a huge foreign file costs no
// more than that.
ReadStatus ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<uint8_t>& out);

// Writes the bytes to a temporary file in the target's folder, flushes it to
// disk and renames it over the target. Either the whole new file is there or
// the old one is untouched. A symbolic link is followed, so the link stays.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

// The same, for several files that belong together: every temporary file is
// written first, and the renames happen only when all of them are complete,
// in the given order.
bool WriteFilesAtomically(const std::vector<std::string>& paths,
                          const std::vector<const std::vector<uint8_t>*>& contents);

// A file written bit by bit (a picture row after row) with the same
// guarantee: the data goes to a temporary file beside the target, and only
// Commit renames it over the target. Destroyed without a successful Commit,
// it removes the temporary file and the target stays as it was.
class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The stream to write to; nullptr when no temporary file could be made.
    std::FILE* Open(const std::string& path);
    // Flushes, syncs and renames; false when any of it failed.
    bool Commit();

private:
    std::FILE* file_ = nullptr;
    std::string temp_;
    std::string target_;
};

// The path with its extension (the part from the last dot of the file name)
// replaced by ext, which starts with a dot; appended when there is none.
std::string ReplaceExtension(const std::string& path, const std::string& ext);

// The extension in upper case, with its dot (".HDW"), or empty.
std::string UpperExtension(const std::string& path);

bool RegularFileExists(const std::string& path);

} // namespace hw
