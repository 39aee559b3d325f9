#ifndef ZOLINS_FUZZ_SUPPORT_H
#define ZOLINS_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zolfuzz {

// A directory of this fuzzing process below $TMPDIR (or /tmp), created on first use and removed
// with everything in it when the process exits.
const std::string& ScratchDir();

// Replaces the file at `path` with `content` (parent directories created).
void WriteFile(const std::string& path, std::string_view content);

// The input as text.
inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

// Puts the library's process-wide state back as a fresh process has it, so that no input depends
// on the ones before: the information message, the answers cached by the plain query functions
// and the interrupt flags. Catalogues and traces are switched off through the environment.
void ResetLibraryState();

}  // namespace zolfuzz

#endif
