#pragma once
// The rules check the example host gives the editor for a KiCad board: the
// editor's own check, then what KiCad's board cannot take (a different copper
// count, a mask inside, ...) as a critical finding, so Apply & Close is refused
// with the message while the window stays open and the file untouched.
#include "KicadBoard.h"

#include <laminar/laminar.h>

#include <memory>
#include <string>

namespace lmhost {

class KicadRulesCheck final : public IDRC {
public:
    KicadRulesCheck(IDRC& builtIn, std::shared_ptr<const kicad::Board> board);

    int32_t CheckValue(int32_t field, const LMLAYEREX* layer, const char** message) override;
    int32_t CheckStackup(const LMLAYEREX* layers, int32_t count, const char** message) override;

private:
    IDRC& builtIn_;
    std::shared_ptr<const kicad::Board> board_;
    std::string message_;
};

} // namespace lmhost
