// SPDX-License-Identifier: GPL-3.0-or-later
// A 64-bit digest of a text fed in pieces, equal to that of the whole text at once: the
// writer of the load plot file takes it while the text is in the cache, so that the
// reading back recognises its own file without formatting it again.
#ifndef TAMSOR_TEXT_DIGEST_H
#define TAMSOR_TEXT_DIGEST_H

#include <cstdint>
#include <memory>
#include <string_view>

namespace tamsor {

class TextDigest {
  public:
    TextDigest();
    TextDigest(const TextDigest&) = delete;
    TextDigest& operator=(const TextDigest&) = delete;
    ~TextDigest();

    void add(std::string_view text);
    // The digest of everything added so far.
    std::uint64_t value() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// The digest of `text` in one step, the same as TextDigest's of the same bytes.
std::uint64_t digestOf(std::string_view text);

}  // namespace tamsor

#endif
