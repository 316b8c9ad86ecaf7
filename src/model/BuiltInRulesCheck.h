#pragma once
// The built-in stackup rules checker. Returns the first finding only; the
// message pointer it hands out stays valid until the next call on the object.
#include <laminar/laminar.h>

#include <cstdint>
#include <optional>
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

// How a finding names layer `index` of the array: its name without blanks and
// tabs at both ends, or "#<position from 1>" when that leaves nothing; empty for
// index -1 (or a null array). The index must lie inside the array.
std::string layerReference(const LMLAYEREX* layers, int32_t index);

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class CDefDRC final : public IDRC {
public:
    int32_t CheckValue(int32_t field, const LMLAYEREX* layer, const char** message) override;
    int32_t CheckStackup(const LMLAYEREX* layers, int32_t count, const char** message) override;

private:
    // Formats the finding (or "No errors in stackup.") into message_ and hands it out.
    int32_t report(const std::optional<DRCERR>& finding, const LMLAYEREX* layers, const char** message);

    std::string message_;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

} // namespace lm
