// When a file was last written, for the commands that tell a person whether
// one file is older than another.
#ifndef PORT_MODIFICA_H_
#define PORT_MODIFICA_H_

#include <filesystem>
#include <optional>

namespace port {

// The time of the last change of p's content, following links; nullopt
// when p does not exist or its time cannot be read.
std::optional<std::filesystem::file_time_type> ultima_modifica(
    const std::filesystem::path& p);

}  // namespace port

#endif  // PORT_MODIFICA_H_
