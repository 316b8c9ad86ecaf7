#include "KicadRulesCheck.h"

#include <span>
#include <utility>

namespace lmhost {

constexpr int32_t kCritical = 3;

KicadRulesCheck::KicadRulesCheck(IDRC& builtIn, std::shared_ptr<const kicad::Board> board)
    : builtIn_(builtIn), board_(std::move(board))
{
}

int32_t KicadRulesCheck::CheckValue(int32_t field, const LMLAYEREX* layer, const char** message)
{
    return builtIn_.CheckValue(field, layer, message);
}

int32_t KicadRulesCheck::CheckStackup(const LMLAYEREX* layers, int32_t count, const char** message)
{
    const int32_t severity = builtIn_.CheckStackup(layers, count, message);
    if (severity >= kCritical || !layers || count <= 0) return severity;
    message_ = kicad::refusal(*board_, std::span(layers, static_cast<std::size_t>(count)));
    if (message_.empty()) return severity;
    if (message) *message = message_.c_str();
    return kCritical;
}

} // namespace lmhost
