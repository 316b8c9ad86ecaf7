#pragma once
// Manufacturing documentation: three centred title lines, then the schematic
// with one description line per layer beside it, in an 8-point font, drawn as
// a vector drawing for the clipboard or a file.
#include "document/EditorDocument.h"
#include "platform/Printing.h"

#include <span>
#include <string>
#include <vector>

namespace lm {

// The description of a layer: thickness and unit first, then the name for
// conductors (with Z0 and test width for a signal layer that has a Z0 value),
// Er for dielectrics; plating has the thickness alone.
std::string documentationLine(const LMLAYEREX& layer, double z0, const LMEDITSETTINGS& settings);

class Documentation : public Drawing {
public:
    // The Z0 values, one per layer (0.0: none), come from the calculator.
    Documentation(const LMEDITSETTINGS& settings, const DesignInfo& design, std::vector<double> z0);
    Size measure(Canvas& canvas) override;
    void draw(Canvas& canvas) override;

private:
    std::vector<std::string> titleLines() const;

    const LMEDITSETTINGS& settings_;
    const DesignInfo& design_;
    std::vector<double> z0_;
    std::vector<std::string> lines_;
    int32_t margin_ = 0, lineHeight_ = 0, schematicWidth_ = 0;
    Size size_;
};

} // namespace lm
