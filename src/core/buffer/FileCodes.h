#pragma once
// Result codes of the file loaders and writers.

namespace zelvor {

enum FileCode : int {
    FileOk = 0,
    FileNotFound = 1,     // the file to load cannot be opened
    FileEmpty = 2,        // nothing left after the skipped offset of a binary file
    FileBadFormat = 3,    // a HEX line that is not a valid record
    FileTooLarge = 4,     // the image would exceed kMaxImageBytes
    FileReadFailed = 5,   // the system failed while reading an opened file
    FileCreateFailed = 6, // the file to save cannot be created
    FileWriteFailed = 7,  // writing or replacing the saved file failed
    FileCancelled = 8,    // the operator declined to overwrite
    FileUnreadable = 9,   // the file to load exists but may not be read
};

// The largest image a file may give: the largest chip (64 MiB page Flash with its spare
// areas, 66 MiB) and some room.
inline constexpr long long kMaxImageBytes = 72LL * 1024 * 1024;

} // namespace zelvor
