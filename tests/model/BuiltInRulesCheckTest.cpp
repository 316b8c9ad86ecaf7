#include "model/BuiltInRulesCheck.h"

#include "model/LayerRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

using namespace lm;

namespace {

using Outcome = std::pair<int32_t, std::string>; // severity, message
const Outcome kPass{DRC_NONE, "No errors in stackup."};

LMLAYEREX layer(int32_t usage, std::string_view name = "", double er = 4.3)
{
    LMLAYEREX record{};
    record.nType = isMetalUsage(usage) ? kMetal : kDielectric;
    record.nUsage = usage;
    setLayerName(record, name);
    record.dThickness = 35e-6;
    record.dEr = er;
    record.dLossTangent = 0.02;
    record.dTestWidth = record.dWidth = record.dGap = 2e-4;
    return record;
}

Outcome check(const std::vector<LMLAYEREX>& stack)
{
    CDefDRC drc; // owns the message
    const char* message = nullptr;
    const int32_t severity = drc.CheckStackup(stack.data(), static_cast<int32_t>(stack.size()), &message);
    return {severity, message};
}

Outcome checkValue(int32_t field, const LMLAYEREX& record)
{
    CDefDRC drc;
    const char* message = nullptr;
    const int32_t severity = drc.CheckValue(field, &record, &message);
    return {severity, message};
}

// Unnamed masks around Top, Core and GND: passes every rule.
std::vector<LMLAYEREX> basicBoard()
{
    return {layer(kSolderMask), layer(kSignal, "Top"), layer(kSubstrate, "Core"), layer(kSolidPlane, "GND"),
            layer(kSolderMask)};
}

} // namespace

TEST(DefDRC, FewerThanThreeLayersIsCriticalWhateverTheyHold)
{
    const auto board = basicBoard();
    for (const std::size_t count : {std::size_t{2}, std::size_t{0}})
        EXPECT_EQ(check({board.begin(), board.begin() + count}),
                  (Outcome{DRC_CRITICAL, "Not enough layers in stackup.\nMinimum number of layers is 3."}));
    EXPECT_EQ(CDefDRC{}.CheckStackup(board.data(), -7, nullptr), DRC_CRITICAL);
    EXPECT_EQ(CDefDRC{}.CheckStackup(nullptr, 5, nullptr), DRC_CRITICAL);
    EXPECT_EQ(check(board), kPass);
}

TEST(DefDRC, BottomLayerIsJudgedFirstAndBoundsPass)
{
    auto board = basicBoard();
    board[1].dThickness = 0.5e-6;
    board[4] = layer(kSolderMask, "Bottom Mask");
    EXPECT_EQ(check(board),
              (Outcome{DRC_CRITICAL, "Layer Bottom Mask: Blank characters are not allowed in layer name."}));

    board = basicBoard();
    setLayerName(board[1], "\tTop\t"); // the reference drops tabs as well as blanks
    board[1].dThickness = std::nextafter(1e-6, 0.0);
    EXPECT_EQ(check(board), (Outcome{DRC_ERROR, "Layer Top is too thin."}));

    board[1].dThickness = 1e-6;
    board[2].dEr = board[0].dLossTangent = 100.0;
    board[4].dEr = 1.0;
    board[4].dLossTangent = 0.0;
    EXPECT_EQ(check(board), kPass);
    board[2].dEr = std::nextafter(100.0, 200.0);
    EXPECT_EQ(check(board), (Outcome{DRC_ERROR, "Invalid Er value for layer Core. Valid Er values are 1 - 100."}));
}

TEST(DefDRC, MetalWithoutAPrintableNameIsReferencedByPosition)
{
    auto board = basicBoard();
    setLayerName(board[3], " ");
    EXPECT_EQ(check(board), (Outcome{DRC_CRITICAL, "Layer #4: Blank characters are not allowed in layer name."}));
    setLayerName(board[3], "");
    EXPECT_EQ(check(board), (Outcome{DRC_CRITICAL, "Layer #4: Metal Layer name can not be empty"}));

    std::memset(board[3].szName, 'x', sizeof(board[3].szName)); // unterminated, as a host may hand it
    EXPECT_EQ(layerReference(board.data(), 3), std::string(sizeof(board[3].szName), 'x'));
    EXPECT_EQ(layerReference(board.data(), -1), "");
}

TEST(DefDRC, EachStackupRuleWithItsMessage)
{
    const auto maskUnder = [](double airEr, double topEr = 4.3) {
        return std::vector{layer(kSubstrate, "Air", airEr), layer(kSolderMask), layer(kSignal, "Top", topEr),
                           layer(kSubstrate, "Core"), layer(kSolidPlane, "GND"), layer(kSolderMask)};
    };
    const Outcome noSignal{DRC_CRITICAL, "At least one signal layer is required."};
    const Outcome innerMask{DRC_WARNING, "Layer #2 - solder mask on an inner layer is not supported."};
    const std::pair<std::vector<LMLAYEREX>, Outcome> cases[] = {
        // Conductors need a dielectric between them, and plating is none.
        {{layer(kSignal, "A"), layer(kPlating, "P"), layer(kSignal, "B"), layer(kSubstrate), layer(kSolidPlane, "GND")},
         {DRC_CRITICAL, "Dielectric layer is required between layers A and P."}},
        {{layer(kSolderMask), layer(kSignal, "Top"), layer(kSolidPlane, "GND"), layer(kSubstrate), layer(kSignal, "B")},
         {DRC_CRITICAL, "Dielectric layer is required between layers Top and GND."}},
        // Same names: the lower one first, with its nearest match; tab-only names show the order by position.
        {{layer(kSolidPlane, "\t"), layer(kSubstrate), layer(kSignal, "\t"), layer(kSubstrate), layer(kSignal, "\t")},
         {DRC_CRITICAL, "Layers #5 and #3 have the same names.\nNames of metal layers must be unique."}},
        {{layer(kPlating, "P"), layer(kSignal, "Top"), layer(kSubstrate), layer(kSolidPlane, "GND"), layer(kPlating, "P")},
         kPass},
        // Signal and plane layers are counted by usage; split/mixed counts as both, flooded signal as a plane.
        {{layer(kSolderMask), layer(kSolidPlane, "A"), layer(kSubstrate), layer(kSolidPlane, "B")}, noSignal},
        {{layer(kSolderMask), layer(kFloodedSignal, "A"), layer(kSolderMask)}, noSignal},
        {{layer(kSolderMask), layer(kSignal, "A"), layer(kSubstrate), layer(kSignal, "B")},
         {DRC_WARNING, "No plane layers defined."}},
        {{layer(kSolderMask), layer(kSplitPlane, "A"), layer(kSolderMask)}, kPass},
        {{layer(kSignal, "S"), layer(kSubstrate), layer(kFloodedSignal, "F")}, kPass},
        // An inner solder mask needs a dielectric neighbour of Er up to 1.001 (air).
        {maskUnder(1.001), kPass},
        {maskUnder(1.0011), innerMask},
        {maskUnder(4.3, 1.0), innerMask}, // only a dielectric is air
        // Plating must cover the outside of a metal.
        {{layer(kPlating, "P"), layer(kSignal, "Top"), layer(kSubstrate), layer(kSolidPlane, "GND")}, kPass},
        {{layer(kPlating, "P"), layer(kSubstrate), layer(kSignal, "Top"), layer(kSubstrate), layer(kSolidPlane, "GND")},
         {DRC_WARNING, "Layer P - plated dielectric is not supported."}},
        {{layer(kSignal, "Top"), layer(kPlating, "P"), layer(kSubstrate), layer(kSolidPlane, "GND")},
         {DRC_WARNING, "Layer P - inner-layer plating is not supported."}},
    };
    for (const auto& [stack, expected] : cases)
        EXPECT_EQ(check(stack), expected) << expected.second;
}

TEST(DefDRC, CheckValueJudgesOnlyTheNamedFieldWithItsBounds)
{
    LMLAYEREX bad = layer(kSignal, "a b");
    bad.dThickness = bad.dEr = bad.dLossTangent = -1.0;
    for (int32_t field : {int32_t{kColType}, 30, -1})
        EXPECT_EQ(checkValue(field, bad), kPass) << field;
    EXPECT_EQ(checkValue(kColLayerName, bad).second, "Blank characters are not allowed in layer name.");
    EXPECT_EQ(checkValue(kColLayerName, layer(kSignal)),
              (Outcome{DRC_CRITICAL, "Layer : Metal Layer name can not be empty"}));
    EXPECT_EQ(checkValue(kColLayerName, layer(kSignal, "\tTop")), kPass); // tabs are not blanks here

    LMLAYEREX metal = layer(kSignal, "Top");
    metal.dThickness = 1e-6;
    metal.dEr = 100.0;
    metal.dLossTangent = 0.0;
    for (int32_t field : {kColThickness, kColEr, kColLossTangent})
        EXPECT_EQ(checkValue(field, metal), kPass) << field;
    metal.dThickness = std::nextafter(1e-6, 0.0);
    metal.dEr = std::nextafter(1.0, 0.0);
    metal.dLossTangent = std::nextafter(100.0, 200.0);
    for (int32_t field : {kColThickness, kColEr, kColLossTangent})
        EXPECT_EQ(checkValue(field, metal).first, DRC_ERROR) << field;

    // Widths equal to the thickness pass (the refusals' messages are the planning grid's tests), and are
    // judged on metal only.
    metal.dThickness = metal.dTestWidth = metal.dWidth = metal.dGap = 5e-5;
    for (int32_t field : {kColTestWidth, kColWidth, kColGap})
        EXPECT_EQ(checkValue(field, metal), kPass) << field;
    metal.dThickness = 6e-5;
    EXPECT_EQ(checkValue(kColTestWidth, metal).first, DRC_ERROR);
    metal.nType = kDielectric;
    EXPECT_EQ(checkValue(kColWidth, metal), kPass);
    EXPECT_EQ(CDefDRC{}.CheckValue(kColLayerName, nullptr, nullptr), DRC_NONE);
}
