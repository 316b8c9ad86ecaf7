// The component as a host sees it: the built library loaded with dlopen, every
// lm* function resolved by name, and driven only through the public header.
#include <laminar/laminar.h>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

#define LM_FUNCTIONS(X)                                                                                           \
    X(lmInitInstance) X(lmFreeInstance) X(lmSetTabs) X(lmGetTabCount) X(lmGetTab) X(lmAddStackup)               \
    X(lmGetStackup) X(lmFreeStackups) X(lmRunModal) X(lmSaveToRegistry) X(lmLoadFromRegistry) X(lmSetSettings)  \
    X(lmGetSettings) X(lmGetChanges) X(lmGetZ0Calculator) X(lmSetZ0Calculator) X(lmSetDesignInfo)               \
    X(lmSetHelpInfo) X(lmSetSimParm) X(lmGetSimParm) X(lmGetDRC) X(lmSetDRC) X(lmGetDefaultLayer)               \
    X(lmSetDefaultLayer) X(lmSetCurrentBoard) X(lmGetCurrentBoard) X(lmGetArchiveCallback)                       \
    X(lmSetArchiveCallback) X(lmAddDrillPairs) X(lmSetCaps) X(lmGetCaps) X(lmSetSupportedUnits)                  \
    X(lmSaveInstance) X(lmGetMatLib) X(lmSetMatLib) X(lmRunNonModal) X(lmExitInstance) X(lmSetTitle)

struct Api {
#define LM_MEMBER(name) decltype(&::name) name = nullptr;
    LM_FUNCTIONS(LM_MEMBER)
#undef LM_MEMBER
};

// Loaded once for the whole test program, as a host would.
class Component {
public:
    static Component& get()
    {
        static Component component;
        return component;
    }
    const Api& api() const { return api_; }
    const std::vector<std::string>& missing() const { return missing_; }
    const std::string& loadError() const { return loadError_; }

private:
    Component()
    {
        handle_ = dlopen(LAMINAR_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        if (!handle_) {
            loadError_ = dlerror();
            return;
        }
#define LM_RESOLVE(name)                                                                                          \
    api_.name = reinterpret_cast<decltype(api_.name)>(dlsym(handle_, #name));                                    \
    if (!api_.name)                                                                                              \
        missing_.push_back(#name);
        LM_FUNCTIONS(LM_RESOLVE)
#undef LM_RESOLVE
    }

    void* handle_ = nullptr; // never closed: the component's type info must outlive every test
    Api api_;
    std::vector<std::string> missing_;
    std::string loadError_;
};

class HostAbi : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Component::get().loadError().empty()) << Component::get().loadError();
        ASSERT_TRUE(Component::get().missing().empty()) << Component::get().missing().front();
        instance = lm.lmInitInstance(nullptr, 0);
        ASSERT_NE(instance, nullptr);
    }
    void TearDown() override { lm.lmFreeInstance(instance); }

    const Api& lm = Component::get().api();
    LMHANDLE instance = nullptr;
};

LMLAYEREX layer(int32_t id, int32_t type)
{
    LMLAYEREX record{};
    record.nId = id;
    record.nType = type;
    record.nMetal = -1;
    record.nTechnology = -1;
    record.dThickness = 35e-6;
    record.pDrillSpans = 0x12345678;
    std::snprintf(record.szName, sizeof(record.szName), "L%d", id);
    return record;
}

// A directory of its own under the system's temporary folder.
std::filesystem::path freshTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "laminar-abi-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    return made ? std::filesystem::path(made) : std::filesystem::path();
}

} // namespace

TEST(HostAbiLoad, EveryFunctionResolvesByName)
{
    ASSERT_TRUE(Component::get().loadError().empty()) << Component::get().loadError();
    std::string missing;
    for (const std::string& name : Component::get().missing())
        missing += name + " ";
    EXPECT_EQ(missing, "");
}

TEST_F(HostAbi, CapsUnitsSettingsAndSimulationParameters)
{
    EXPECT_EQ(lm.lmGetCaps(instance, 0xFFFFFFFFu), 0x13Cu);
    lm.lmSetCaps(instance, 0x80, 0xFFFFFFFFu);
    EXPECT_EQ(lm.lmGetCaps(instance, 0xFFFFFFFFu), 0x1BCu);
    EXPECT_EQ(lm.lmGetCaps(instance, 0), 0u);

    LMUNIT units[2]{};
    lm.lmSetSupportedUnits(instance, units, 2);
    LMSETTINGS settings{2, 1}; // index 2 of two units: refused
    lm.lmSetSettings(instance, &settings);
    LMSETTINGS out{-7, -7};
    lm.lmGetSettings(instance, &out);
    EXPECT_EQ(out.unitIndex, 0);
    EXPECT_EQ(out.metalThicknessAs, 0);

    const LMSIMPARM parm{5e8, 0, 1, {}};
    lm.lmSetSimParm(instance, &parm);
    LMSIMPARM back{};
    lm.lmGetSimParm(instance, &back);
    EXPECT_EQ(back.erFrequency, 5e8);
    EXPECT_EQ(back.autoEr, 0);
    EXPECT_EQ(back.fabCompensation, 1);
}

TEST_F(HostAbi, TabsAreTheInstancesOwnRecordsAndTheFailureCrossesByType)
{
    const int32_t count = lm.lmGetTabCount(instance);
    ASSERT_EQ(count, 5);
    LMTABDESCR* last = lm.lmGetTab(instance, count - 1);
    EXPECT_EQ(last, lm.lmGetTab(instance, count - 1));
    EXPECT_EQ(last->id, 4);

    bool caughtByType = false;
    try {
        lm.lmGetTab(instance, count);
    } catch (const LMInvalidArgument&) {
        caughtByType = true;
    }
    EXPECT_TRUE(caughtByType);
    EXPECT_THROW(lm.lmGetTab(instance, -1), std::invalid_argument);

    LMGRIDCOLDESCR columns[] = {{3, 40}, {6, 50}};
    LMTABDESCR tabs[] = {{0, 0, 1, 0, {}, 2, columns}, {2, 0, 0, 0, {}, 1, columns}};
    lm.lmSetTabs(instance, tabs, 2);
    columns[0].width = 99; // the instance copied the columns
    ASSERT_EQ(lm.lmGetTabCount(instance), 2);
    const LMTABDESCR* second = lm.lmGetTab(instance, 1);
    EXPECT_EQ(second->id, 2);
    EXPECT_EQ(second->visible, 0);
    ASSERT_EQ(second->columnCount, 1);
    EXPECT_EQ(second->columns[0].width, 40);
    EXPECT_THROW(lm.lmSetTabs(instance, tabs, -1), LMInvalidArgument);
}

TEST_F(HostAbi, BoardsAndDrillPairsGoInAndComeBack)
{
    EXPECT_EQ(lm.lmGetChanges(instance, false), 0u); // no boards: nothing to compare
    const LMLAYEREX layers[] = {layer(11, 0), layer(12, 1), layer(13, 0)};
    EXPECT_FALSE(lm.lmAddStackup(instance, 1, "Main", nullptr, 3));
    ASSERT_TRUE(lm.lmAddStackup(instance, 1, "Main", layers, 3));
    EXPECT_THROW(lm.lmAddStackup(instance, 1, "Main", layers, -1), LMInvalidArgument);

    LMDRILLPAIR pairs[] = {{13, 11}};
    EXPECT_FALSE(lm.lmAddDrillPairs(instance, 1, nullptr, 1));
    EXPECT_TRUE(lm.lmAddDrillPairs(instance, 1, pairs, 0));
    EXPECT_TRUE(lm.lmAddDrillPairs(instance, 1, pairs, 1));
    EXPECT_EQ(pairs[0].fromLayerId, 11);
    EXPECT_EQ(pairs[0].toLayerId, 13);

    LMLAYEREX* out = nullptr;
    int32_t count = 0;
    lm.lmGetStackup(instance, 1, &out, &count);
    ASSERT_EQ(count, 3);
    EXPECT_STREQ(out[1].szName, "L12");
    EXPECT_EQ(out[0].nMetal, 6); // a metal without a metal becomes custom
    for (int32_t i = 0; i < count; ++i)
        EXPECT_EQ(out[i].pDrillSpans, 0u);

    LMLAYEREX* untouched = out;
    EXPECT_THROW(lm.lmGetStackup(instance, 2, &untouched, &count), LMInvalidArgument);
    EXPECT_EQ(untouched, out);
    EXPECT_THROW(lm.lmGetStackup(instance, 1, nullptr, &count), LMInvalidArgument);
    EXPECT_THROW(lm.lmGetChanges(instance, true), LMInvalidArgument) << "the editor was never opened";

    lm.lmSetCurrentBoard(instance, 1);
    EXPECT_EQ(lm.lmGetCurrentBoard(instance), 1);
    EXPECT_FALSE(lm.lmRunModal(instance)); // no window in this build
    lm.lmExitInstance(instance, true);     // no window open: nothing happens
    lm.lmSaveInstance(instance);

    lm.lmFreeStackups(instance);
    EXPECT_THROW(lm.lmGetStackup(instance, 1, &out, &count), LMInvalidArgument);
    EXPECT_FALSE(lm.lmRunModal(instance));
    EXPECT_FALSE(lm.lmRunNonModal(instance, nullptr, nullptr));
    EXPECT_THROW(lm.lmAddDrillPairs(instance, 1, pairs, 1), LMInvalidArgument);
}

TEST_F(HostAbi, ServiceObjectsAndTextsAreKept)
{
    int dummy = 0;
    EXPECT_NE(lm.lmGetDRC(instance), nullptr); // the built-in checker
    lm.lmSetDRC(instance, nullptr);
    EXPECT_EQ(lm.lmGetDRC(instance), nullptr);
    lm.lmSetMatLib(instance, &dummy);
    EXPECT_EQ(lm.lmGetMatLib(instance), &dummy);
    auto* calculator = reinterpret_cast<IZ0Calculator*>(&dummy);
    lm.lmSetZ0Calculator(instance, calculator);
    EXPECT_EQ(lm.lmGetZ0Calculator(instance), calculator);
    auto* defaultLayer = reinterpret_cast<ILMDefaultLayer*>(&dummy);
    lm.lmSetDefaultLayer(instance, defaultLayer);
    EXPECT_EQ(lm.lmGetDefaultLayer(instance), defaultLayer);
    auto* archive = reinterpret_cast<ILMArchiveCallback*>(&dummy);
    lm.lmSetArchiveCallback(instance, archive);
    EXPECT_EQ(lm.lmGetArchiveCallback(instance), archive);

    lm.lmSetDesignInfo(instance, "Design", nullptr, "");
    lm.lmSetHelpInfo(instance, nullptr, 7, 8, nullptr);
    lm.lmSetTitle(instance, nullptr);
    lm.lmSetTitle(instance, "Host title");
}

TEST_F(HostAbi, PreferencesRoundTripThroughAnInitialisationFile)
{
    const std::filesystem::path dir = freshTempDir();
    ASSERT_FALSE(dir.empty());
    const std::string stored = (dir / "stored.ini").string();

    // A width on the Basic tab, set the way a host sets tabs.
    LMTABDESCR* basic = lm.lmGetTab(instance, 0);
    ASSERT_GT(basic->columnCount, 0);
    std::vector<LMGRIDCOLDESCR> columns(basic->columns, basic->columns + basic->columnCount);
    columns[0].width = 123;
    LMTABDESCR tabs[5];
    for (int32_t i = 0; i < 5; ++i)
        tabs[i] = *lm.lmGetTab(instance, i);
    tabs[0].columns = columns.data();
    lm.lmSetTabs(instance, tabs, 5);
    lm.lmSaveToRegistry(instance, true, stored.c_str(), nullptr);

    LMHANDLE other = lm.lmInitInstance(nullptr, 0);
    lm.lmLoadFromRegistry(other, true, stored.c_str(), nullptr);
    EXPECT_EQ(lm.lmGetTab(other, 0)->columns[0].width, 123);

    lm.lmFreeInstance(other);

    std::filesystem::remove_all(dir);
}

TEST_F(HostAbi, NullHandlesAreRefusedExceptByFree)
{
    EXPECT_NO_THROW(lm.lmFreeInstance(nullptr));
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    LMSETTINGS settings{};
    LMSIMPARM parm{};
    LMDRILLPAIR pair{1, 2};
    const std::vector<std::function<void()>> calls = {
        [&] { lm.lmSetTabs(nullptr, nullptr, 0); },
        [&] { lm.lmGetTabCount(nullptr); },
        [&] { lm.lmGetTab(nullptr, 0); },
        [&] { lm.lmAddStackup(nullptr, 1, "x", nullptr, 0); },
        [&] { lm.lmGetStackup(nullptr, 1, &layers, &count); },
        [&] { lm.lmFreeStackups(nullptr); },
        [&] { lm.lmRunModal(nullptr); },
        [&] { lm.lmSaveToRegistry(nullptr, true, "x", nullptr); },
        [&] { lm.lmLoadFromRegistry(nullptr, true, "x", nullptr); },
        [&] { lm.lmSetSettings(nullptr, &settings); },
        [&] { lm.lmGetSettings(nullptr, &settings); },
        [&] { lm.lmGetChanges(nullptr, false); },
        [&] { lm.lmGetZ0Calculator(nullptr); },
        [&] { lm.lmSetZ0Calculator(nullptr, nullptr); },
        [&] { lm.lmSetDesignInfo(nullptr, "", "", ""); },
        [&] { lm.lmSetHelpInfo(nullptr, "", 0, 0, nullptr); },
        [&] { lm.lmSetSimParm(nullptr, &parm); },
        [&] { lm.lmGetSimParm(nullptr, &parm); },
        [&] { lm.lmGetDRC(nullptr); },
        [&] { lm.lmSetDRC(nullptr, nullptr); },
        [&] { lm.lmGetDefaultLayer(nullptr); },
        [&] { lm.lmSetDefaultLayer(nullptr, nullptr); },
        [&] { lm.lmSetCurrentBoard(nullptr, 1); },
        [&] { lm.lmGetCurrentBoard(nullptr); },
        [&] { lm.lmGetArchiveCallback(nullptr); },
        [&] { lm.lmSetArchiveCallback(nullptr, nullptr); },
        [&] { lm.lmAddDrillPairs(nullptr, 1, &pair, 1); },
        [&] { lm.lmSetCaps(nullptr, 1, 1); },
        [&] { lm.lmGetCaps(nullptr, 1); },
        [&] { lm.lmSetSupportedUnits(nullptr, nullptr, 0); },
        [&] { lm.lmSaveInstance(nullptr); },
        [&] { lm.lmGetMatLib(nullptr); },
        [&] { lm.lmSetMatLib(nullptr, nullptr); },
        [&] { lm.lmRunNonModal(nullptr, nullptr, nullptr); },
        [&] { lm.lmExitInstance(nullptr, true); },
        [&] { lm.lmSetTitle(nullptr, "x"); },
    };
    for (std::size_t i = 0; i < calls.size(); ++i)
        EXPECT_THROW(calls[i](), LMInvalidArgument) << "call " << i;
}
