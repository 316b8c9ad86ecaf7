// The component as a host sees it: the built library loaded with dlopen, every
// lm* function resolved by name, and driven only through the public header.
// The behaviour behind each function is the core tests' business; here one call
// per family proves that records, values and the failure type cross intact.
#include <laminar/laminar.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Every function that takes an instance handle; with lmInitInstance, all 39 exports.
#define LM_HANDLE_FUNCTIONS(X)                                                                                   \
    X(lmFreeInstance) X(lmSetTabs) X(lmGetTabCount) X(lmGetTab) X(lmAddStackup) X(lmGetStackup)                \
    X(lmFreeStackups) X(lmRunModal) X(lmSaveToRegistry) X(lmLoadFromRegistry) X(lmSetSettings) X(lmGetSettings) \
    X(lmGetChanges) X(lmGetZ0Calculator) X(lmSetZ0Calculator) X(lmSetDesignInfo) X(lmSetHelpInfo)               \
    X(lmSetSimParm) X(lmGetSimParm) X(lmGetDRC) X(lmSetDRC) X(lmGetDefaultLayer) X(lmSetDefaultLayer)           \
    X(lmSetCurrentBoard) X(lmGetCurrentBoard) X(lmGetArchiveCallback) X(lmSetArchiveCallback)                   \
    X(lmAddDrillPairs) X(lmSetCaps) X(lmGetCaps) X(lmSetSupportedUnits) X(lmSaveInstance) X(lmGetMatLib)        \
    X(lmSetMatLib) X(lmRunNonModal) X(lmExitInstance) X(lmSetTitle) X(lmWriteOutput)

// Loaded once for the whole test program, as a host would, and never closed:
// the component's type info must outlive every test.
struct Component {
    void* handle = dlopen(LAMINAR_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    std::string loadError = handle ? "" : dlerror();
    std::string missing; // names that did not resolve
    template <class Function>
    Function resolve(const char* name)
    {
        void* symbol = handle ? dlsym(handle, name) : nullptr;
        missing += symbol ? "" : std::string(name) + " ";
        return reinterpret_cast<Function>(symbol);
    }
#define LM_MEMBER(name) decltype(&::name) name = resolve<decltype(&::name)>(#name);
    LM_MEMBER(lmInitInstance) LM_HANDLE_FUNCTIONS(LM_MEMBER)
#undef LM_MEMBER
};

const Component& component()
{
    static Component loaded;
    return loaded;
}

// Calls a function with a null handle and every other argument zero.
template <class Result, class... Args>
bool refusesNullHandle(Result (*function)(LMHANDLE, Args...))
{
    try {
        function(nullptr, Args{}...);
    } catch (const LMInvalidArgument&) {
        return true;
    }
    return false;
}

class HostAbi : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(lm.loadError + lm.missing, "");
        instance = lm.lmInitInstance(nullptr, 0);
        ASSERT_NE(instance, nullptr);
    }
    void TearDown() override { lm.lmFreeInstance(instance); }

    const Component& lm = component();
    LMHANDLE instance = nullptr;
};

} // namespace

// The fixture has loaded the library and resolved every function by name.
TEST_F(HostAbi, EveryFunctionResolvesByNameAndOnlyFreeAcceptsANullHandle)
{
    std::string accepted;
#define LM_CHECK_NULL(name) accepted += refusesNullHandle(lm.name) ? "" : #name " ";
    LM_HANDLE_FUNCTIONS(LM_CHECK_NULL)
#undef LM_CHECK_NULL
    EXPECT_EQ(accepted, "lmFreeInstance ");
}

TEST_F(HostAbi, ValuesRecordsAndServiceObjectsCrossAndTheFailureIsCaughtByType)
{
    lm.lmSetCaps(instance, 0x80, 0xFFFFFFFFu);
    EXPECT_EQ(lm.lmGetCaps(instance, 0xFFFFFFFFu), 0x1BCu);
    LMUNIT units[2]{};
    lm.lmSetSupportedUnits(instance, units, 2);
    const LMSETTINGS settings{1, 1};
    const LMSIMPARM parm{5e8, 0, 1, {}};
    LMSETTINGS settingsBack{};
    LMSIMPARM parmBack{};
    lm.lmSetSettings(instance, &settings);
    lm.lmGetSettings(instance, &settingsBack);
    lm.lmSetSimParm(instance, &parm);
    lm.lmGetSimParm(instance, &parmBack);
    EXPECT_EQ(std::tuple(std::memcmp(&settings, &settingsBack, sizeof settings), std::memcmp(&parm, &parmBack, sizeof parm)),
              std::tuple(0, 0));

    ASSERT_EQ(lm.lmGetTabCount(instance), 5);
    EXPECT_EQ(lm.lmGetTab(instance, 4)->id, 4);
    EXPECT_THROW(lm.lmGetTab(instance, 5), LMInvalidArgument);
    // A width on the Basic tab, set the way a host sets tabs.
    LMTABDESCR tabs[5];
    for (int32_t i = 0; i < 5; ++i)
        tabs[i] = *lm.lmGetTab(instance, i);
    std::vector<LMGRIDCOLDESCR> columns(tabs[0].columns, tabs[0].columns + tabs[0].columnCount);
    columns.at(0).width = 123;
    tabs[0].columns = columns.data();
    lm.lmSetTabs(instance, tabs, 5);
    EXPECT_EQ(lm.lmGetTab(instance, 0)->columns[0].width, 123);

    int dummy = 0;
    EXPECT_NE(lm.lmGetDRC(instance), nullptr); // the built-in checker
    lm.lmSetDRC(instance, nullptr);
    lm.lmSetMatLib(instance, &dummy);
    EXPECT_EQ(std::tuple(lm.lmGetDRC(instance), lm.lmGetMatLib(instance)), std::tuple(nullptr, &dummy));
    lm.lmSetTitle(instance, nullptr);
}

TEST_F(HostAbi, BoardsAndDrillPairsGoInAndComeBack)
{
    LMLAYEREX layers[3]{}; // metal, dielectric, metal; no metal named
    for (int32_t i = 0; i < 3; ++i) {
        layers[i].nId = 11 + i;
        layers[i].nType = i % 2;
        layers[i].nMetal = layers[i].nTechnology = -1;
        layers[i].dThickness = 35e-6 * (i + 1);
        layers[i].pDrillSpans = 0x12345678;
        std::snprintf(layers[i].szName, sizeof(layers[i].szName), "L%d", 11 + i);
    }
    ASSERT_TRUE(lm.lmAddStackup(instance, 1, "Main", layers, 3));
    LMDRILLPAIR pairs[] = {{13, 11}};
    EXPECT_TRUE(lm.lmAddDrillPairs(instance, 1, pairs, 1));
    // Turned top to bottom in the host's own array.
    EXPECT_EQ(std::tuple(pairs[0].fromLayerId, pairs[0].toLayerId), std::tuple(11, 13));

    LMLAYEREX* out = nullptr;
    int32_t count = 0;
    lm.lmGetStackup(instance, 1, &out, &count);
    ASSERT_EQ(count, 3);
    for (int32_t i = 0; i < count; ++i) {
        LMLAYEREX expected = layers[i];
        expected.nMetal = i % 2 ? -1 : 6; // a metal without a metal becomes custom
        expected.pDrillSpans = 0;
        EXPECT_EQ(0, std::memcmp(&expected, &out[i], sizeof expected)) << "layer " << i;
    }
    LMLAYEREX* untouched = out;
    EXPECT_THROW(lm.lmGetStackup(instance, 2, &untouched, &count), LMInvalidArgument);
    EXPECT_EQ(std::tuple(untouched, count), std::tuple(out, 3)); // nothing is written when the call fails

    lm.lmSetCurrentBoard(instance, 1);
    EXPECT_EQ(lm.lmGetCurrentBoard(instance), 1);
    // A modeless run returns at once; the host ends it, and with nothing changed
    // the editor asks nothing and reports "discarded".
    static int32_t closeCode = 0;
    ASSERT_TRUE(lm.lmRunNonModal(instance, [](int32_t code, const char*) { closeCode = code; }, "host"));
    EXPECT_EQ(lm.lmGetChanges(instance, false), 0u);
    lm.lmExitInstance(instance, false);
    EXPECT_EQ(closeCode, LM_CLOSE_DISCARDED);
    lm.lmExitInstance(instance, true); // no window open: nothing happens
    lm.lmSaveInstance(instance);
    lm.lmFreeStackups(instance);
    EXPECT_THROW(lm.lmGetStackup(instance, 1, &out, &count), LMInvalidArgument);
    EXPECT_FALSE(lm.lmRunNonModal(instance, nullptr, nullptr));
}
