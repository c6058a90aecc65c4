// Texts quoted in command-line messages and CSV cells: a text of any length (a value typed
// by mistake may be megabytes long) is shown by its two ends only.
#pragma once

#include <string>
#include <string_view>

namespace fluxeta::base {

// Quoted texts up to this many bytes are shown whole.
inline constexpr std::size_t kMostQuotedBytes = 300;

// The text itself when it has at most kMostQuotedBytes bytes; otherwise its first and
// last bytes with "…" between them, kMostQuotedBytes bytes or fewer in all, cut between
// UTF-8 characters.
std::string ShortQuote(std::string_view text);

}  // namespace fluxeta::base
