#include "tamsor/result_names.h"

namespace tamsor {

std::string_view result_stem(std::string_view input_path) {
    const auto last_non_blank = input_path.find_last_not_of(' ');
    std::string_view path = last_non_blank == std::string_view::npos
                                ? std::string_view{}
                                : input_path.substr(0, last_non_blank + 1);

    const auto last_separator = path.find_last_of("/\\");
    const auto name_start = last_separator == std::string_view::npos ? 0 : last_separator + 1;
    const auto last_dot = path.find_last_of('.');
    if (last_dot != std::string_view::npos && last_dot >= name_start)
        path = path.substr(0, last_dot);
    return path;
}

ResultNames result_names_for(std::string_view input_path) {
    const std::string stem{result_stem(input_path)};
    return {stem + ".out", stem + ".plt"};
}

}  // namespace tamsor
