// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the two result files of a run so that nothing is lost: each is
// written completely under a temporary name beside its final name, brought to
// the disk and checked, and moved into place only when both are complete. A
// failed run removes its temporaries and leaves the earlier result files as
// they were, byte for byte.
#ifndef TAMSOR_SAFE_RESULT_FILES_H
#define TAMSOR_SAFE_RESULT_FILES_H

#include <array>
#include <cstddef>
#include <string_view>

#include "tamsor/data_file.h"
#include "tamsor/temporary_file.h"

namespace tamsor {

enum class ResultFault {
    kNone,
    kIsTheDataFile,    // the result name is the data file itself (same name or a link to it)
    kNotARegularFile,  // a folder, symbolic link, device or FIFO holds the result name
    kReadOnly,         // the earlier result file is write-protected
    kCannotCheck,      // the result name cannot be looked up (systemError says why)
    kCannotCreate,     // no temporary file can be created beside it
    kCannotWrite,      // a write failed (a full disk, the file size limit)
    kCannotReplace,    // the finished file could not be moved onto its name
    kCannotSync,       // the system could not bring the finished file to the disk
};

struct ResultFailure {
    ResultFault fault = ResultFault::kNone;
    int systemError = 0;         // errno where the system gave a reason
    const char* file = nullptr;  // the result file's final name
};

// Describes a failure in the engineer's words: "is the data file itself",
// "No space left on device".
const char* describeResultFault(const ResultFailure& failure);

// One result file. The final name must outlive the object, as must `files`,
// the system calls it writes through (a test may put faults in them);
// nothing here allocates, so the engine can use it.
class ResultFile {
  public:
    explicit ResultFile(FileOperations& files = systemFileOperations()) : files_(&files) {}
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;
    ~ResultFile() { discard(); }

    // Before anything is written: whether `finalName` may be replaced by a
    // result of the run on `dataFile`. A name that leads to the data file, is
    // not a regular file or is write-protected is refused.
    bool check(const char* finalName, const FileIdentity& dataFile);
    // Creates the temporary file beside the checked name (removing those that
    // crashed runs left there). A replaced file's permissions carry over to
    // its successor.
    bool open();
    bool isOpen() const { return descriptor_ >= 0 && !finished_; }
    // Gathers small pieces into blocks; a piece of 8 KiB or more is written at once.
    void write(std::string_view text);
    // Writes what is pending, brings the file to the disk and checks that it
    // holds every byte; true when so. The temporary stays open (and locked,
    // as being written) until replace() or discard().
    bool close();
    // Moves the closed temporary onto the final name. With `keepEarlier`, the
    // file it replaces stays under a temporary name until confirm(), so that
    // discard() can put it back.
    bool replace(bool keepEarlier = false);
    // Lets the earlier file kept by replace() go.
    void confirm();
    // Removes the temporary, if any, and puts back an earlier file that
    // replace() kept.
    void discard();

    const ResultFailure& failure() const { return failure_; }

  private:
    void flush();
    void writeThrough(std::string_view text);
    bool fail(ResultFault fault, int systemError);
    void keepEarlierFile();

    FileOperations* files_;
    const char* finalName_ = nullptr;
    int keptMode_ = -1;  // permissions of the file being replaced
    int descriptor_ = -1;
    bool finished_ = false;
    bool temporaryExists_ = false;
    int earlierDescriptor_ = -1;  // the earlier file, open and locked while it is kept
    bool earlierKept_ = false;
    // Written before they are read: left uninitialised, as a run makes two.
    std::array<char, 4096 + 64> temporaryName_;
    std::array<char, 4096 + 64> earlierName_;
    std::array<char, 8192> pending_;
    std::size_t pendingSize_ = 0;
    std::size_t written_ = 0;  // bytes handed to the system
    ResultFailure failure_;
};

// The partition report and the load plot file of one run.
class ResultFilePair {
  public:
    ResultFilePair(const char* reportName, const char* plotName,
                   FileOperations& files = systemFileOperations())
        : reportName_(reportName), plotName_(plotName), report_(files), plot_(files) {}

    // Both names, before either file is opened.
    bool check(const FileIdentity& dataFile);
    bool openReport() { return report_.open(); }
    bool openPlot() { return plot_.open(); }
    ResultFile& report() { return report_; }
    ResultFile& plot() { return plot_; }

    // Closes the files that were opened and, only when every byte of both is
    // on the disk, moves them into place (report first). A plot file never
    // opened keeps the earlier one. On failure both temporaries are removed
    // and the earlier files stay, or are put back, as they were.
    bool commit();
    void discard();

    // The report's failure if it has one, else the plot file's.
    const ResultFailure& failure() const;

  private:
    const char* reportName_;
    const char* plotName_;
    ResultFile report_;
    ResultFile plot_;
};

}  // namespace tamsor

#endif
