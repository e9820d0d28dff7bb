// Whole numbers as messages and pages write them: decimal, a minus sign
// when negative, nothing else.
#ifndef SOURCE_NUMERO_H_
#define SOURCE_NUMERO_H_

#include <cstdint>
#include <string>

namespace source {

inline std::string n(std::int64_t v) { return std::to_string(v); }

}  // namespace source

#endif  // SOURCE_NUMERO_H_
