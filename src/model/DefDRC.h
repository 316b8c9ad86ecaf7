#pragma once
// The built-in stackup rules checker. Returns the first finding only; the
// message pointer it hands out stays valid until the next call on the object.
#include <laminar/laminar.h>

#include <cstdint>
#include <string>

namespace lm {

enum Severity : int32_t { DRC_NONE = 0, DRC_WARNING = 1, DRC_ERROR = 2, DRC_CRITICAL = 3 };

// One finding: severity, string id of the message format, the layers it names (-1: none).
struct DRCERR {
    int32_t severity;
    uint32_t messageId;
    int32_t layer1;
    int32_t layer2;
};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class CDefDRC final : public IDRC {
public:
    int32_t CheckValue(int32_t field, const LMLAYEREX* layer, const char** message) override;
    int32_t CheckStackup(const LMLAYEREX* layers, int32_t count, const char** message) override;

private:
    std::string message_;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

} // namespace lm
