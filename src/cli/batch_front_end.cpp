#include "batch_front_end.h"

#include "fluxeta/base/quoted_text.h"

namespace fluxeta::cli {

void StreamFrontEnd::ShowMessage(std::string_view text) {
  messages_ << text << '\n' << std::flush;
}

void StreamFrontEnd::ShowWarning(const std::string& text) {
  messages_ << text << '\n' << std::flush;
}

void StreamFrontEnd::ShowFileFailure(std::string_view path, std::string_view reason) {
  messages_ << "fluxeta-batch: result file '" << base::ShortQuote(path) << "': " << reason << '\n';
}

}  // namespace fluxeta::cli
