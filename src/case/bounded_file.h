// Reading a whole input file of bounded size, for the documents a designer names.
#pragma once

#include <filesystem>
#include <string>

namespace fluxeta::cases {

// The bytes of the file. Raises DocumentError "KIND 'NAME': REASON" with the system's reason
// when it cannot be read, or when it holds more than `mostBytes`.
std::string ReadBoundedFile(const std::filesystem::path& path, std::size_t mostBytes,
                            const std::string& kind, const std::string& shownName);

}  // namespace fluxeta::cases
