// The component's C interface: each function hands its call to the instance
// behind the handle. A null handle is accepted by lmFreeInstance only; every
// other function reports it as an invalid argument rather than crash.
#include <laminar/laminar.h>

#include "api/EditorInstance.h"
#include "api/OutputFiles.h"

using lm::EditorInstance;

namespace {

EditorInstance& instanceOf(LMHANDLE handle)
{
    if (!handle)
        throw LMInvalidArgument("null instance handle");
    return *static_cast<EditorInstance*>(handle);
}

} // namespace

extern "C" {

LMEXPORT LMHANDLE LMAPI lmInitInstance(void* parentWindow, int32_t /*reserved*/)
{
    return new EditorInstance(parentWindow);
}

LMEXPORT void LMAPI lmFreeInstance(LMHANDLE instance) { delete static_cast<EditorInstance*>(instance); }

LMEXPORT void LMAPI lmSetTabs(LMHANDLE instance, const LMTABDESCR* tabs, int32_t count)
{
    instanceOf(instance).setTabs(tabs, count);
}

LMEXPORT int32_t LMAPI lmGetTabCount(LMHANDLE instance) { return instanceOf(instance).tabCount(); }

LMEXPORT LMTABDESCR* LMAPI lmGetTab(LMHANDLE instance, int32_t index) { return instanceOf(instance).tab(index); }

LMEXPORT bool LMAPI lmAddStackup(LMHANDLE instance, int32_t boardId, const char* name, const LMLAYEREX* layers,
                                 int32_t count)
{
    return instanceOf(instance).addStackup(boardId, name, layers, count);
}

LMEXPORT void LMAPI lmGetStackup(LMHANDLE instance, int32_t boardId, LMLAYEREX** layers, int32_t* count)
{
    instanceOf(instance).getStackup(boardId, layers, count);
}

LMEXPORT void LMAPI lmFreeStackups(LMHANDLE instance) { instanceOf(instance).freeStackups(); }

LMEXPORT bool LMAPI lmRunModal(LMHANDLE instance) { return instanceOf(instance).runModal(); }

LMEXPORT void LMAPI lmSaveToRegistry(LMHANDLE instance, bool useIniFile, const char* keyOrFileName,
                                     const LMREGFLAGS* flags)
{
    instanceOf(instance).saveToRegistry(useIniFile, keyOrFileName, flags);
}

LMEXPORT void LMAPI lmLoadFromRegistry(LMHANDLE instance, bool useIniFile, const char* keyOrFileName,
                                       const LMREGFLAGS* flags)
{
    instanceOf(instance).loadFromRegistry(useIniFile, keyOrFileName, flags);
}

LMEXPORT void LMAPI lmSetSettings(LMHANDLE instance, const LMSETTINGS* settings)
{
    instanceOf(instance).setSettings(settings);
}

LMEXPORT void LMAPI lmGetSettings(LMHANDLE instance, LMSETTINGS* settings)
{
    instanceOf(instance).getSettings(settings);
}

LMEXPORT uint32_t LMAPI lmGetChanges(LMHANDLE instance, bool reset) { return instanceOf(instance).getChanges(reset); }

LMEXPORT IZ0Calculator* LMAPI lmGetZ0Calculator(LMHANDLE instance) { return instanceOf(instance).z0Calculator(); }

LMEXPORT void LMAPI lmSetZ0Calculator(LMHANDLE instance, IZ0Calculator* calculator)
{
    instanceOf(instance).setZ0Calculator(calculator);
}

LMEXPORT void LMAPI lmSetDesignInfo(LMHANDLE instance, const char* designName, const char* designer,
                                    const char* third)
{
    instanceOf(instance).setDesignInfo(designName, designer, third);
}

LMEXPORT void LMAPI lmSetHelpInfo(LMHANDLE instance, const char* helpFile, uint32_t contextId, uint32_t userValue,
                                  LMHELPPROC helpProc)
{
    instanceOf(instance).setHelpInfo(helpFile, contextId, userValue, helpProc);
}

LMEXPORT void LMAPI lmSetSimParm(LMHANDLE instance, const LMSIMPARM* parm) { instanceOf(instance).setSimParm(parm); }

LMEXPORT void LMAPI lmGetSimParm(LMHANDLE instance, LMSIMPARM* parm) { instanceOf(instance).getSimParm(parm); }

LMEXPORT IDRC* LMAPI lmGetDRC(LMHANDLE instance) { return instanceOf(instance).drc(); }

LMEXPORT void LMAPI lmSetDRC(LMHANDLE instance, IDRC* drc) { instanceOf(instance).setDrc(drc); }

LMEXPORT ILMDefaultLayer* LMAPI lmGetDefaultLayer(LMHANDLE instance) { return instanceOf(instance).defaultLayer(); }

LMEXPORT void LMAPI lmSetDefaultLayer(LMHANDLE instance, ILMDefaultLayer* defaultLayer)
{
    instanceOf(instance).setDefaultLayer(defaultLayer);
}

LMEXPORT void LMAPI lmSetCurrentBoard(LMHANDLE instance, int32_t boardId)
{
    instanceOf(instance).setCurrentBoard(boardId);
}

LMEXPORT int32_t LMAPI lmGetCurrentBoard(LMHANDLE instance) { return instanceOf(instance).currentBoardId(); }

LMEXPORT ILMArchiveCallback* LMAPI lmGetArchiveCallback(LMHANDLE instance)
{
    return instanceOf(instance).archiveCallback();
}

LMEXPORT void LMAPI lmSetArchiveCallback(LMHANDLE instance, ILMArchiveCallback* callback)
{
    instanceOf(instance).setArchiveCallback(callback);
}

LMEXPORT bool LMAPI lmAddDrillPairs(LMHANDLE instance, int32_t boardId, LMDRILLPAIR* pairs, int32_t count)
{
    return instanceOf(instance).addDrillPairs(boardId, pairs, count);
}

LMEXPORT void LMAPI lmSetCaps(LMHANDLE instance, uint32_t mask, uint32_t values)
{
    instanceOf(instance).setCaps(mask, values);
}

LMEXPORT uint32_t LMAPI lmGetCaps(LMHANDLE instance, uint32_t mask) { return instanceOf(instance).caps(mask); }

LMEXPORT void LMAPI lmSetSupportedUnits(LMHANDLE instance, const LMUNIT* units, int32_t count)
{
    instanceOf(instance).setSupportedUnits(units, count);
}

LMEXPORT void LMAPI lmSaveInstance(LMHANDLE instance) { instanceOf(instance).saveInstance(); }

LMEXPORT void* LMAPI lmGetMatLib(LMHANDLE instance) { return instanceOf(instance).matLib(); }

LMEXPORT void LMAPI lmSetMatLib(LMHANDLE instance, void* matLib) { instanceOf(instance).setMatLib(matLib); }

LMEXPORT bool LMAPI lmRunNonModal(LMHANDLE instance, LMCLOSEPROC closeProc, const char* context)
{
    return instanceOf(instance).runNonModal(closeProc, context);
}

LMEXPORT void LMAPI lmExitInstance(LMHANDLE instance, bool apply) { instanceOf(instance).exitInstance(apply); }

LMEXPORT void LMAPI lmSetTitle(LMHANDLE instance, const char* title) { instanceOf(instance).setTitle(title); }

LMEXPORT bool LMAPI lmWriteOutput(LMHANDLE instance, const char* path, const LMOUTPUTREQUEST* request)
{
    auto& target = instanceOf(instance); // a null handle is refused before anything else
    return request != nullptr && lm::writeOutput(target, path, *request);
}

} // extern "C"
