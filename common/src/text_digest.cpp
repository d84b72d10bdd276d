// SPDX-License-Identifier: GPL-3.0-or-later
#include "tamsor/text_digest.h"

#include <xxhash.h>

#include <new>

namespace tamsor {

// XXH3: fast enough to digest a plot file of a million loads in a few milliseconds, and
// with 64 bits, a torn or edited file passes for the one written with a chance of 2^-64.
struct TextDigest::State {
    XXH3_state_t* xxh = XXH3_createState();
    ~State() { XXH3_freeState(xxh); }
};

TextDigest::TextDigest() : state_(std::make_unique<State>()) {
    if (state_->xxh == nullptr) throw std::bad_alloc();
    XXH3_64bits_reset(state_->xxh);
}

TextDigest::~TextDigest() = default;

void TextDigest::add(std::string_view text) {
    XXH3_64bits_update(state_->xxh, text.data(), text.size());
}

std::uint64_t TextDigest::value() const {
    return XXH3_64bits_digest(state_->xxh);
}

std::uint64_t digestOf(std::string_view text) {
    return XXH3_64bits(text.data(), text.size());
}

}  // namespace tamsor
