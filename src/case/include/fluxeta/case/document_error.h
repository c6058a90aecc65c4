// A die or liquid document that cannot be used: a missing key, a value of the wrong type
// or out of its domain, a profile that does not increase. The message names the key by its
// path in the document ("geometry.manifold.radius") or the file and line.
#pragma once

#include <stdexcept>
#include <string>

namespace fluxeta::cases {

class DocumentError : public std::runtime_error {
 public:
  explicit DocumentError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace fluxeta::cases
