// SPDX-License-Identifier: GPL-3.0-or-later
// The input data file opened for reading, refused at once when it is not a
// regular file: a FIFO or a device would otherwise keep a run waiting.
#ifndef TAMSOR_DATA_FILE_H
#define TAMSOR_DATA_FILE_H

#include <cstdint>

#include "tamsor/load_file_reader.h"

namespace tamsor {

// Which file a name stands for on disk, whatever links lead to it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

class DataFile {
  public:
    DataFile() = default;
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;
    ~DataFile() { close(); }

    // Opens without waiting (a FIFO with no writer would block an ordinary
    // open) and checks that the name is a regular file. On failure fault() is
    // kCannotOpen (with systemError()) or kNotARegularFile.
    bool open(const char* path);
    void close();

    bool isOpen() const { return descriptor_ >= 0; }
    int descriptor() const { return descriptor_; }
    FileIdentity identity() const { return identity_; }
    LoadFaultKind fault() const { return fault_; }
    int systemError() const { return systemError_; }

    // Reads the loads through `reader`, from where the file stands: its start
    // right after open().
    bool readLoads(LoadFileReader& reader);

  private:
    int descriptor_ = -1;
    FileIdentity identity_;
    LoadFaultKind fault_ = LoadFaultKind::kNone;
    int systemError_ = 0;
};

}  // namespace tamsor

#endif
