// Names of the temporary files that stand next to a file being replaced:
// "<target>.tmp" and six random letters or digits. Used by the platform
// implementations only.
#ifndef PORT_TEMPORANEO_H_
#define PORT_TEMPORANEO_H_

#include <filesystem>
#include <random>

namespace port {

// Names tried for a temporary before giving up: each is random, so a clash
// means another writer holds that very name.
inline constexpr int tentativi_temporaneo = 64;

std::filesystem::path nome_temporaneo(const std::filesystem::path& destinazione,
                                      std::random_device& caso);

}  // namespace port

#endif  // PORT_TEMPORANEO_H_
