// Scratch folders, files and engine calls shared by the engine tests.
#ifndef TAMSOR_TESTS_ENGINE_TEST_SUPPORT_H
#define TAMSOR_TESTS_ENGINE_TEST_SUPPORT_H

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "vorbeck1.h"

namespace tamsor::testing {

// A private folder under the system temp folder, removed with its contents.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tamsor-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path file(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline void write_file(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One load per line, LF line ends.
inline std::string load_lines(const std::vector<double>& loads) {
    std::ostringstream text;
    for (const double load : loads)
        text << load << '\n';
    return text.str();
}

// Calls the engine entry exactly as the desktop program does: the path blank
// padded to 120 bytes, no terminating zero. Returns the status.
inline std::int32_t call_engine(const std::string& path, std::int32_t method_flag) {
    char name[VORBECK1_PATH_LENGTH];
    std::string padded = path;
    padded.resize(VORBECK1_PATH_LENGTH, ' ');
    std::copy(padded.begin(), padded.begin() + VORBECK1_PATH_LENGTH, name);
    std::int32_t status = 0;
    vorbeck1(&method_flag, &status, name);
    return status;
}

}  // namespace tamsor::testing

#endif
