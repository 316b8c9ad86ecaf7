#include "document/ChangeFlags.h"
#include "api/EditorInstance.h"

#include "OpenEditor.h"
#include "model/LayerRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using lm::EditorInstance;

namespace {

LMLAYEREX sampleLayer(int32_t id)
{
    LMLAYEREX layer{};
    layer.nId = id;
    layer.nType = lm::kDielectric;
    layer.nUsage = lm::kSubstrate;
    layer.dThickness = 1.0e-5;
    layer.dEr = 4.2;
    layer.bVisible = 1;
    lm::setLayerName(layer, "Core");
    return layer;
}

// The flags after one edit of layer 1 of the second board, the editor having been opened on two boards.
uint32_t flagsAfter(const std::function<void(LMLAYEREX&)>& edit)
{
    lm::test::OpenEditor editor;
    const LMLAYEREX layers[] = {sampleLayer(1), sampleLayer(2)};
    editor.instance.addStackup(1, "A", layers, 2);
    editor.instance.addStackup(2, "B", layers, 2);
    editor.open();
    edit(lm::test::layersOf(editor.instance, 2)[1]);
    editor.instance.windowDestroyed();
    return editor.instance.getChanges(false);
}

} // namespace

TEST(ChangeFlags, EachFieldSetsItsOwnBit)
{
    EXPECT_EQ(flagsAfter([](LMLAYEREX&) {}), 0u);
    EXPECT_EQ(flagsAfter([](LMLAYEREX& l) { l.dThickness = 1.0e-5 + 1e-15; }), 0x1u);
    EXPECT_EQ(flagsAfter([](LMLAYEREX& l) { l.dEr = 4.2 + 1e-15; }), 0u);
    EXPECT_EQ(flagsAfter([](LMLAYEREX& l) { l.dEr = 4.2 * (1 + 3e-6); }), 0x1u);
    EXPECT_EQ(flagsAfter([](LMLAYEREX& l) { l.dTempCoef = 1e-300; }), 0x1u); // from 0: always relative 1
    EXPECT_EQ(flagsAfter([](LMLAYEREX& l) { l.nTechnology = lm::kPrepreg; }), 0x1u);
    EXPECT_EQ(flagsAfter([](LMLAYEREX& l) { lm::setLayerName(l, "Core2"); }), 0x2u);
    EXPECT_EQ(flagsAfter([](LMLAYEREX& l) { l.crColor = 0x0000FF; }), 0x2u);
    EXPECT_EQ(flagsAfter([](LMLAYEREX& l) { l.dWidth = 1e-4; }), 0x4u);
    EXPECT_EQ(flagsAfter([](LMLAYEREX& l) { l.dGap = 1e-4; l.bVisible = 0; l.nUsage = 6; }), 0x7u);
    // Fields the host keeps for itself are not compared.
    EXPECT_EQ(flagsAfter([](LMLAYEREX& l) { l.dHostParam2 = 5; l.nHostParam3 = 5; l.reserved2[0] = 1; }), 0u);
}

TEST(ChangeFlags, NameComparisonStopsAtTheFieldEnd)
{
    LMLAYEREX a = sampleLayer(1);
    LMLAYEREX b = sampleLayer(1);
    std::memset(a.szName, 'x', sizeof(a.szName));
    std::memset(b.szName, 'x', sizeof(b.szName));
    EXPECT_EQ(lm::layerChangeFlags(a, b), 0u);
    b.szName[sizeof(b.szName) - 1] = 'y';
    EXPECT_EQ(lm::layerChangeFlags(a, b), 0x2u);
}

TEST(ChangeFlags, LayerCountAndBoardPositionDecide)
{
    lm::BoardList before(2), now(2);
    before[0].layers = {sampleLayer(1)};
    before[1].layers = {sampleLayer(1)};
    now = before;
    now[1].layers.push_back(sampleLayer(2));
    EXPECT_EQ(lm::boardChangeFlags(now, before), 0x1u);

    // Boards are matched by position, not id: renumbering changes nothing.
    now = before;
    now[0].boardId = 42;
    EXPECT_EQ(lm::boardChangeFlags(now, before), 0u);
    // A reference with more boards is fine; with fewer it is refused.
    now.pop_back();
    EXPECT_EQ(lm::boardChangeFlags(now, before), 0u);
    EXPECT_THROW(lm::boardChangeFlags(before, now), LMInvalidArgument);
}

TEST(ChangeFlags, ResetTakesANewReferenceOpeningDoesNot)
{
    lm::test::OpenEditor editor;
    EditorInstance& instance = editor.instance;
    EXPECT_EQ(instance.getChanges(false), 0u); // no boards: nothing to compare
    const LMLAYEREX layers[] = {sampleLayer(1)};
    instance.addStackup(1, "A", layers, 1);
    EXPECT_THROW(instance.getChanges(false), LMInvalidArgument); // never opened
    EXPECT_THROW(instance.getChanges(true), LMInvalidArgument);

    editor.open();
    lm::test::layersOf(instance, 1)[0].dWidth = 2e-4;
    EXPECT_EQ(instance.getChanges(true), 0x4u);
    EXPECT_EQ(instance.getChanges(true), 0u);
    EXPECT_EQ(instance.getChanges(false), 0x4u);

    instance.addStackup(2, "B", layers, 1);
    EXPECT_THROW(instance.getChanges(false), LMInvalidArgument);
}
