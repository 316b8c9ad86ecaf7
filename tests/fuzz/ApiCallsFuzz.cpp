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

bool oneIn(int n) { return input->ConsumeIntegralInRange(1, n) == 1; }
void maybeThrow(int n = 8)
{
    if (oneIn(n))
        throw HostFailure{};
}
template <typename T>
T* maybe(T* pointer) // the pointer or null
{
    return input->ConsumeBool() ? pointer : nullptr;
}

int32_t hostileInt()
{
    using Limits = std::numeric_limits<int32_t>;
    return input->PickValueInArray({input->ConsumeIntegralInRange<int32_t>(-3, 40), Limits::min(), Limits::max(), -1,
                                    input->ConsumeIntegral<int32_t>()});
}

int32_t smallInt(int32_t least, int32_t most)
{
    return input->ConsumeBool() ? input->ConsumeIntegralInRange(least, most) : hostileInt();
}

double hostileDouble()
{
    using Limits = std::numeric_limits<double>;
    return input->PickValueInArray({Limits::quiet_NaN(), Limits::infinity(), -Limits::infinity(), Limits::denorm_min(),
                                    Limits::max(), input->ConsumeFloatingPointInRange(-1e-3, 1e-2),
                                    input->ConsumeFloatingPoint<double>()});
}

std::string hostileText() { return input->ConsumeRandomLengthString(300); }

template <typename Record>
Record randomRecord()
{
    Record record;
    std::memset(&record, 0, sizeof record);
    input->ConsumeData(&record, sizeof record); // fewer bytes at the end of the data: the rest stays zero
    return record;
}

// Random bytes, then maybe codes near the catalogues and hostile numbers.
LMLAYEREX hostileLayer()
{
    LMLAYEREX layer = randomRecord<LMLAYEREX>();
    if (input->ConsumeBool()) {
        layer.nType = input->ConsumeIntegralInRange<int32_t>(-1, 2);
        layer.nUsage = input->ConsumeIntegralInRange<int32_t>(-1, 12);
        for (double* value : {&layer.dThickness, &layer.dEr, &layer.dLossTangent, &layer.dTestWidth})
            *value = hostileDouble();
    }
    return layer;
}

// A count, small or hostile, never beyond the 64 records handed over with it (more would be the host's own overrun).
int32_t hostileCount() { return std::min(smallInt(-2, 12), 64); }

template <typename Record>
std::vector<Record> recordsFor(int32_t count, Record (*make)() = randomRecord<Record>)
{
    std::vector<Record> records(static_cast<std::size_t>(std::max(count, 0)));
    std::generate(records.begin(), records.end(), make);
    return records;
}

// -------------------------------------------------------------- host objects

// The rules checker, default layer, calculator and archive a host hands over, in one object.
struct HostObjects : IDRC, ILMDefaultLayer, IZ0Calculator, ILMArchiveCallback {
    int32_t CheckValue(int32_t, const LMLAYEREX*, const char** message) override { return answer(message); }
    int32_t CheckStackup(const LMLAYEREX*, int32_t, const char** message) override { return answer(message); }
    int32_t answer(const char** message)
    {
        maybeThrow();
        text = hostileText();
        // Null, a text, an empty text, or the pointer left as it was found.
        const char* const answers[] = {nullptr, text.c_str(), ""};
        if (const int pick = input->ConsumeIntegralInRange(0, 3); pick < 3)
            *message = answers[pick];
        return hostileInt();
    }
    std::string text;

    void PrepareNewLayer(const LMLAYEREX*, int32_t, int32_t, LMLAYEREX* newLayer) override
    {
        maybeThrow(2);
        *newLayer = hostileLayer();
    }

    void Reserved0() override { std::abort(); } // never called, says the interface
    bool CalcStackupZ0(int32_t, int32_t, double* z0PerLayer) override
    {
        maybeThrow();
        if (z0PerLayer != nullptr && input->ConsumeBool())
            z0PerLayer[0] = hostileDouble();
        return input->ConsumeBool();
    }
    double SolveTraceGeometry(const LMLAYEREX*, double, bool, bool) override { return maybeThrow(), hostileDouble(); }
    void ApplyAutoEr(LMLAYEREX* layer) override { maybeThrow(), layer->dEr = hostileDouble(); }
    bool CalcLoss(int32_t, int32_t, int32_t, const double*, double*, double*, double*, double*) override
    {
        return maybeThrow(), false;
    }

    int32_t Perform(int32_t) override { return maybeThrow(2), hostileInt(); }
    bool IsSupported(int32_t) override { return input->ConsumeBool(); }
} host;

void LMCALLBACK closeProc(int32_t, const char*) { maybeThrow(2); }

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
    if (oneIn(10))
        return false; // no display
    shown = std::make_unique<Window>();
    for (int i = input->ConsumeIntegralInRange(0, 3); i > 0; --i)
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

void setTabs(LMHANDLE h)
{
    const int32_t count = hostileCount();
    std::vector<LMTABDESCR> tabs = recordsFor<LMTABDESCR>(count);
    std::vector<std::vector<LMGRIDCOLDESCR>> columns;
    for (LMTABDESCR& tab : tabs) {
        std::vector<LMGRIDCOLDESCR>& own = columns.emplace_back(recordsFor<LMGRIDCOLDESCR>(hostileCount()));
        const auto size = static_cast<int32_t>(own.size());
        tab.columnCount = input->ConsumeBool() ? size : std::min(hostileCount(), size);
        tab.columns = maybe(own.data());
    }
    lmSetTabs(h, maybe(tabs.data()), count);
}

int32_t someBoard(LMHANDLE h) { return input->ConsumeBool() ? lmGetCurrentBoard(h) : hostileInt(); }

void readStackup(LMHANDLE h)
{
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    lmGetStackup(h, someBoard(h), maybe(&layers), &count);
    // What the component hands out must be readable to its end.
    volatile uint8_t sink = 0;
    for (int32_t i = 0; i < count; ++i)
        sink = sink + static_cast<uint8_t>(layers[i].szName[0]);
}

void unitsAndPairs(LMHANDLE h)
{
    const int32_t count = hostileCount();
    std::vector<LMUNIT> units = recordsFor<LMUNIT>(count, [] {
        LMUNIT unit = randomRecord<LMUNIT>();
        if (input->ConsumeBool()) {
            unit.dLengthFactor = hostileDouble();
            unit.dWeightFactor = hostileDouble();
            unit.nLengthDigits = hostileInt();
            unit.nWeightDigits = hostileInt();
        }
        return unit;
    });
    lmSetSupportedUnits(h, maybe(units.data()), count);
    std::vector<LMDRILLPAIR> pairs = recordsFor<LMDRILLPAIR>(count, [] {
        const int32_t from = input->ConsumeIntegralInRange(-1, 6), to = input->ConsumeIntegralInRange(-1, 6);
        return input->ConsumeBool() ? randomRecord<LMDRILLPAIR>() : LMDRILLPAIR{from, to};
    });
    lmAddDrillPairs(h, someBoard(h), maybe(pairs.data()), count);
}

// The instance's own rules checker, or the host's, on layers of any kind.
void check(LMHANDLE h)
{
    IDRC* checker = lmGetDRC(h);
    if (checker == nullptr)
        return;
    const char* message = nullptr;
    std::vector<LMLAYEREX> layers = recordsFor(input->ConsumeIntegralInRange(0, 12), hostileLayer);
    if (input->ConsumeBool() && !layers.empty())
        checker->CheckValue(hostileInt(), &layers[0], &message);
    else
        checker->CheckStackup(layers.empty() ? nullptr : layers.data(), static_cast<int32_t>(layers.size()), &message);
    if (message != nullptr)
        (void)std::strlen(message);
}

void call(LMHANDLE h)
{
    switch (input->ConsumeIntegralInRange(0, 21)) {
    case 0: setTabs(h); break;
    case 1: lmGetTab(h, input->ConsumeBool() ? lmGetTabCount(h) - 1 : smallInt(-1, 6)); break;
    case 2: {
        const int32_t count = hostileCount();
        std::vector<LMLAYEREX> layers = recordsFor(count, hostileLayer);
        const std::string name = hostileText();
        lmAddStackup(h, hostileInt(), maybe(name.c_str()), maybe(layers.data()), count);
        break;
    }
    case 3: readStackup(h); break;
    case 4: lmFreeStackups(h); break;
    case 5: unitsAndPairs(h); break;
    case 6: {
        LMSETTINGS settings{smallInt(-1, 3), hostileInt()};
        lmSetSettings(h, maybe(&settings));
        lmGetSettings(h, maybe(&settings));
        break;
    }
    case 7: lmSetCaps(h, input->ConsumeIntegral<uint32_t>(), input->ConsumeIntegral<uint32_t>()); break;
    case 8: lmGetChanges(input->ConsumeBool() ? h : nullptr, input->ConsumeBool()); break; // also a null handle
    case 9: {
        LMSIMPARM parm = randomRecord<LMSIMPARM>();
        parm.erFrequency = hostileDouble();
        lmSetSimParm(h, maybe(&parm));
        lmGetSimParm(h, &parm);
        break;
    }
    case 10: {
        const std::string a = hostileText(), b = hostileText(), c = hostileText();
        lmSetDesignInfo(h, a.c_str(), maybe(b.c_str()), c.c_str());
        lmSetTitle(h, maybe(a.c_str()));
        lmSetHelpInfo(h, b.c_str(), input->ConsumeIntegral<uint32_t>(), input->ConsumeIntegral<uint32_t>(), nullptr);
        break;
    }
    case 11:
        lmSetDRC(h, maybe<IDRC>(&host));
        lmSetDefaultLayer(h, maybe<ILMDefaultLayer>(&host));
        lmSetZ0Calculator(h, maybe<IZ0Calculator>(&host));
        lmSetArchiveCallback(h, maybe<ILMArchiveCallback>(&host));
        break;
    case 12: lmSetMatLib(h, reinterpret_cast<void*>(input->ConsumeIntegral<uintptr_t>())); break;
    case 13: lmSetCurrentBoard(h, smallInt(-1, 4)); break;
    case 14: lmRunModal(h); break;
    case 15: {
        const std::string context = hostileText();
        lmRunNonModal(h, maybe(&closeProc), maybe(context.c_str()));
        break;
    }
    case 16: lmExitInstance(h, input->ConsumeBool()); break;
    case 17: lmSaveInstance(h); break;
    case 18: check(h); break;
    case 19:
        (void)lmGetTabCount(h), (void)lmGetCaps(h, input->ConsumeIntegral<uint32_t>()), (void)lmGetZ0Calculator(h);
        (void)lmGetDefaultLayer(h), (void)lmGetArchiveCallback(h), (void)lmGetMatLib(h);
        break;
    default: lmGetStackup(h, hostileInt(), nullptr, nullptr); break;
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
