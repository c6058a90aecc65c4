#include "cli/batch_front_end.h"

namespace fluxeta::cli {

void StreamFrontEnd::ShowMessage(std::string_view text) {
  messages_ << text << '\n' << std::flush;
}

void StreamFrontEnd::ShowWarning(const std::string& text) {
  messages_ << text << '\n' << std::flush;
}

}  // namespace fluxeta::cli
