// The exported functions as a host might call them: any sequence, with records
// of random bytes (NaN, infinities, denormals, unterminated names), huge and
// negative counts, codes outside the catalogues, drill pairs and tab records of
// any shape, and host objects that throw or answer nonsense. Runs open the
// editor on the headless fakes and close it by Apply or Discard, so the rules
// check and the close paths meet those objects. The only failures allowed out
// are the component's LMInvalidArgument and the host objects' own.
#include <laminar/laminar.h>

#include "FakeEditorWindow.h"
#include "HeadlessPlatform.h"
#include "api/EditorInstance.h"
#include "api/EditorRun.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

// What a host object throws; the component must let it pass or swallow it, never turn it into something else.
struct HostFailure {};

FuzzedDataProvider* input = nullptr; // the data of the current run, for the host objects' answers

int32_t hostileInt()
{
    if (input->remaining_bytes() == 0)
        return 0;
    switch (input->ConsumeIntegralInRange<int>(0, 4)) {
    case 0: return input->ConsumeIntegralInRange<int32_t>(-3, 40);
    case 1: return std::numeric_limits<int32_t>::min();
    case 2: return std::numeric_limits<int32_t>::max();
    case 3: return -1;
    default: return input->ConsumeIntegral<int32_t>();
    }
}

double hostileDouble()
{
    switch (input->ConsumeIntegralInRange<int>(0, 6)) {
    case 0: return std::numeric_limits<double>::quiet_NaN();
    case 1: return std::numeric_limits<double>::infinity();
    case 2: return -std::numeric_limits<double>::infinity();
    case 3: return std::numeric_limits<double>::denorm_min();
    case 4: return std::numeric_limits<double>::max();
    case 5: return input->ConsumeFloatingPointInRange<double>(-1e-3, 1e-2);
    default: return input->ConsumeFloatingPoint<double>();
    }
}

// A record of random bytes, then some fields set on purpose to hostile values.
template <typename Record>
Record randomRecord()
{
    Record record;
    std::memset(&record, 0, sizeof record);
    const std::vector<uint8_t> bytes = input->ConsumeBytes<uint8_t>(sizeof record);
    if (!bytes.empty())
        std::memcpy(&record, bytes.data(), bytes.size());
    return record;
}

LMLAYEREX hostileLayer()
{
    LMLAYEREX layer = randomRecord<LMLAYEREX>();
    if (input->ConsumeBool()) {
        layer.nType = input->ConsumeIntegralInRange<int32_t>(-1, 2);
        layer.nUsage = input->ConsumeIntegralInRange<int32_t>(-1, 12);
        layer.dThickness = hostileDouble();
        layer.dEr = hostileDouble();
        layer.dLossTangent = hostileDouble();
        layer.dTestWidth = hostileDouble();
    }
    return layer;
}

std::string hostileText()
{
    return input->ConsumeRandomLengthString(300);
}

// -------------------------------------------------------------- host objects

class HostileDRC : public IDRC {
public:
    int32_t CheckValue(int32_t, const LMLAYEREX*, const char** message) override { return answer(message); }
    int32_t CheckStackup(const LMLAYEREX*, int32_t, const char** message) override { return answer(message); }

private:
    int32_t answer(const char** message)
    {
        if (input->ConsumeIntegralInRange<int>(0, 7) == 0)
            throw HostFailure{};
        text_ = hostileText();
        switch (input->ConsumeIntegralInRange<int>(0, 3)) {
        case 0: *message = nullptr; break;
        case 1: *message = text_.c_str(); break;
        case 2: break; // leaves it as it found it
        default: *message = "";
        }
        return hostileInt();
    }
    std::string text_;
};

class HostileDefaultLayer : public ILMDefaultLayer {
public:
    void PrepareNewLayer(const LMLAYEREX*, int32_t, int32_t, LMLAYEREX* newLayer) override
    {
        if (input->ConsumeBool())
            throw HostFailure{};
        *newLayer = hostileLayer();
    }
};

class HostileCalculator : public IZ0Calculator {
public:
    void Reserved0() override { std::abort(); } // never called, says the interface
    bool CalcStackupZ0(int32_t, int32_t, double* z0PerLayer) override
    {
        maybeThrow();
        if (z0PerLayer != nullptr && input->ConsumeBool())
            z0PerLayer[0] = hostileDouble();
        return input->ConsumeBool();
    }
    double SolveTraceGeometry(const LMLAYEREX*, double, bool, bool) override
    {
        maybeThrow();
        return hostileDouble();
    }
    void ApplyAutoEr(LMLAYEREX* layer) override
    {
        maybeThrow();
        layer->dEr = hostileDouble();
    }
    bool CalcLoss(int32_t, int32_t, int32_t, const double*, double*, double*, double*, double*) override
    {
        maybeThrow();
        return false;
    }

private:
    static void maybeThrow()
    {
        if (input->ConsumeIntegralInRange<int>(0, 7) == 0)
            throw HostFailure{};
    }
};

class HostileArchive : public ILMArchiveCallback {
public:
    int32_t Perform(int32_t) override
    {
        if (input->ConsumeBool())
            throw HostFailure{};
        return hostileInt();
    }
    bool IsSupported(int32_t) override { return input->ConsumeBool(); }
};

HostileDRC drc;
HostileDefaultLayer defaultLayer;
HostileCalculator calculator;
HostileArchive archive;

void LMCALLBACK closeProc(int32_t, const char*)
{
    if (input->ConsumeBool())
        throw HostFailure{};
}

// ------------------------------------------------------- the headless window

// The window of the current run: it must outlive the instance, whose
// destructor still closes an open window.
struct Window {
    lm::test::HeadlessPlatform platform;
    lm::test::FakeEditorWindow window;
};
std::unique_ptr<Window> shown;

bool runHeadless(lm::EditorInstance& instance, lm::RunMode mode, LMCLOSEPROC close, const char* context)
{
    if (input->ConsumeIntegralInRange<int>(0, 9) == 0)
        return false; // no display
    shown = std::make_unique<Window>();
    for (int i = input->ConsumeIntegralInRange<int>(0, 3); i > 0; --i)
        shown->platform.answers.push_back(input->ConsumeBool() ? lm::MessageAnswer::Yes : lm::MessageAnswer::No);
    shown->window.placementToReport = {hostileInt(), hostileInt(), hostileInt(), hostileInt(), input->ConsumeBool(),
                                       hostileInt(), input->ConsumeBool()};
    shown->window.onFinish = [&instance] { instance.windowDestroyed(); };
    instance.openedWindow(shown->window, shown->platform, close, context != nullptr ? context : "");
    if (mode == lm::RunMode::Modeless)
        return true;
    // A modal run ends with Apply & Close, which a failed check may refuse, or with Discard.
    const bool applied = input->ConsumeBool() && instance.applyAndClose(shown->platform);
    if (!applied)
        instance.discardAndClose(shown->platform);
    return applied;
}

// ------------------------------------------------------------------- calls

template <typename Record>
std::vector<Record> recordsFor(int32_t count)
{
    // Never more records than the count claims: a host cannot hand over fewer than it says.
    std::vector<Record> records(static_cast<std::size_t>(std::clamp(count, 0, 64)));
    for (Record& record : records)
        record = randomRecord<Record>();
    return records;
}

int32_t hostileCount()
{
    return input->ConsumeBool() ? input->ConsumeIntegralInRange<int32_t>(-2, 12) : hostileInt();
}

// Counts beyond what the array holds would be the host's own overrun; they are cut to the array.
int32_t countFor(int32_t count)
{
    return count > 64 ? 64 : count;
}

void setTabs(LMHANDLE h)
{
    const int32_t count = countFor(hostileCount());
    std::vector<LMTABDESCR> tabs = recordsFor<LMTABDESCR>(count);
    std::vector<std::vector<LMGRIDCOLDESCR>> columns(tabs.size());
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        columns[i] = recordsFor<LMGRIDCOLDESCR>(countFor(hostileCount()));
        tabs[i].columnCount = input->ConsumeBool() ? static_cast<int32_t>(columns[i].size()) : countFor(hostileCount());
        if (tabs[i].columnCount > static_cast<int32_t>(columns[i].size()))
            tabs[i].columnCount = static_cast<int32_t>(columns[i].size());
        tabs[i].columns = input->ConsumeBool() ? columns[i].data() : nullptr;
    }
    lmSetTabs(h, input->ConsumeBool() ? tabs.data() : nullptr, count);
}

void addStackup(LMHANDLE h)
{
    const int32_t count = countFor(hostileCount());
    std::vector<LMLAYEREX> layers(static_cast<std::size_t>(std::max(count, 0)));
    for (LMLAYEREX& layer : layers)
        layer = hostileLayer();
    const std::string name = hostileText();
    lmAddStackup(h, hostileInt(), input->ConsumeBool() ? name.c_str() : nullptr,
                 input->ConsumeBool() ? layers.data() : nullptr, count);
}

void readStackup(LMHANDLE h)
{
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    lmGetStackup(h, input->ConsumeBool() ? lmGetCurrentBoard(h) : hostileInt(), input->ConsumeBool() ? &layers : nullptr,
                 &count);
    // What the component hands out must be readable to its end.
    volatile uint8_t sink = 0;
    for (int32_t i = 0; i < count; ++i)
        sink = sink + static_cast<uint8_t>(layers[i].szName[0]);
}

void addDrillPairs(LMHANDLE h)
{
    const int32_t count = countFor(hostileCount());
    std::vector<LMDRILLPAIR> pairs = recordsFor<LMDRILLPAIR>(count);
    for (LMDRILLPAIR& pair : pairs) {
        if (input->ConsumeBool())
            pair = {input->ConsumeIntegralInRange<int32_t>(-1, 6), input->ConsumeIntegralInRange<int32_t>(-1, 6)};
    }
    lmAddDrillPairs(h, input->ConsumeBool() ? lmGetCurrentBoard(h) : hostileInt(),
                    input->ConsumeBool() ? pairs.data() : nullptr, count);
}

void setUnits(LMHANDLE h)
{
    const int32_t count = countFor(hostileCount());
    std::vector<LMUNIT> units = recordsFor<LMUNIT>(count);
    for (LMUNIT& unit : units) {
        if (input->ConsumeBool()) {
            unit.dLengthFactor = hostileDouble();
            unit.dWeightFactor = hostileDouble();
            unit.nLengthDigits = hostileInt();
            unit.nWeightDigits = hostileInt();
        }
    }
    lmSetSupportedUnits(h, input->ConsumeBool() ? units.data() : nullptr, count);
}

// The instance's own rules checker, or the host's, on layers of any kind.
void check(LMHANDLE h)
{
    IDRC* checker = lmGetDRC(h);
    if (checker == nullptr)
        return;
    const char* message = nullptr;
    std::vector<LMLAYEREX> layers(input->ConsumeIntegralInRange<std::size_t>(0, 12));
    for (LMLAYEREX& layer : layers)
        layer = hostileLayer();
    if (input->ConsumeBool() && !layers.empty())
        checker->CheckValue(hostileInt(), &layers[0], &message);
    else
        checker->CheckStackup(layers.empty() ? nullptr : layers.data(), static_cast<int32_t>(layers.size()), &message);
    if (message != nullptr)
        (void)std::strlen(message);
}

void call(LMHANDLE h)
{
    switch (input->ConsumeIntegralInRange<int>(0, 27)) {
    case 0: setTabs(h); break;
    case 1: lmGetTab(h, input->ConsumeBool() ? input->ConsumeIntegralInRange<int32_t>(-1, 6) : hostileInt()); break;
    case 2: addStackup(h); break;
    case 3: readStackup(h); break;
    case 4: lmFreeStackups(h); break;
    case 5: addDrillPairs(h); break;
    case 6: {
        const LMSETTINGS settings{input->ConsumeBool() ? input->ConsumeIntegralInRange<int32_t>(-1, 3) : hostileInt(),
                                  hostileInt()};
        lmSetSettings(h, input->ConsumeBool() ? &settings : nullptr);
        break;
    }
    case 7: {
        LMSETTINGS settings{};
        lmGetSettings(h, input->ConsumeBool() ? &settings : nullptr);
        break;
    }
    case 8: setUnits(h); break;
    case 9: lmSetCaps(h, input->ConsumeIntegral<uint32_t>(), input->ConsumeIntegral<uint32_t>()); break;
    case 10: lmGetChanges(h, input->ConsumeBool()); break;
    case 11: {
        LMSIMPARM parm = randomRecord<LMSIMPARM>();
        parm.erFrequency = hostileDouble();
        lmSetSimParm(h, input->ConsumeBool() ? &parm : nullptr);
        lmGetSimParm(h, &parm);
        break;
    }
    case 12: {
        const std::string a = hostileText(), b = hostileText(), c = hostileText();
        lmSetDesignInfo(h, a.c_str(), input->ConsumeBool() ? b.c_str() : nullptr, c.c_str());
        lmSetTitle(h, input->ConsumeBool() ? a.c_str() : nullptr);
        lmSetHelpInfo(h, b.c_str(), input->ConsumeIntegral<uint32_t>(), input->ConsumeIntegral<uint32_t>(), nullptr);
        break;
    }
    case 13: lmSetDRC(h, input->ConsumeBool() ? &drc : nullptr); break;
    case 14: lmSetDefaultLayer(h, input->ConsumeBool() ? &defaultLayer : nullptr); break;
    case 15: lmSetZ0Calculator(h, input->ConsumeBool() ? &calculator : nullptr); break;
    case 16: lmSetArchiveCallback(h, input->ConsumeBool() ? &archive : nullptr); break;
    case 17: lmSetMatLib(h, reinterpret_cast<void*>(input->ConsumeIntegral<uintptr_t>())); break;
    case 18: lmSetCurrentBoard(h, input->ConsumeBool() ? input->ConsumeIntegralInRange<int32_t>(-1, 4) : hostileInt()); break;
    case 19: lmRunModal(h); break;
    case 20: {
        const std::string context = hostileText();
        lmRunNonModal(h, input->ConsumeBool() ? &closeProc : nullptr, input->ConsumeBool() ? context.c_str() : nullptr);
        break;
    }
    case 21: lmExitInstance(h, input->ConsumeBool()); break;
    case 22: lmSaveInstance(h); break;
    case 23: check(h); break;
    case 24:
        (void)lmGetTabCount(h);
        (void)lmGetCaps(h, input->ConsumeIntegral<uint32_t>());
        (void)lmGetZ0Calculator(h);
        (void)lmGetDefaultLayer(h);
        (void)lmGetArchiveCallback(h);
        (void)lmGetMatLib(h);
        break;
    case 25: lmGetTab(h, lmGetTabCount(h) - 1); break;
    case 26: lmGetStackup(h, hostileInt(), nullptr, nullptr); break;
    default: lmGetChanges(nullptr, false); break; // a null handle
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    lm::setWindowRunner(&runHeadless);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    input = &provider;
    LMHANDLE h = lmInitInstance(nullptr, 0);
    for (int calls = 0; calls < 64 && provider.remaining_bytes() > 0; ++calls) {
        try {
            call(h);
        } catch (const LMInvalidArgument&) {
        } catch (const HostFailure&) {
        }
    }
    try {
        lmFreeInstance(h); // closes a window still open
    } catch (const HostFailure&) {
    }
    shown.reset();
    input = nullptr;
    return 0;
}
