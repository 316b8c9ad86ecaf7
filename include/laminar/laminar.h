/*
 * Laminar - layer-stackup editor for printed-circuit boards.
 * Public host interface: records, host-implemented interfaces and the
 * exported lm* functions (with their fixed ordinals).
 *
 * Every record is little-endian and laid out byte for byte as declared here;
 * explicit padding members keep 32- and 64-bit builds identical (except
 * LMTABDESCR, which carries a pointer). Lengths are metres throughout.
 */
#ifndef LAMINAR_LAMINAR_H
#define LAMINAR_LAMINAR_H

#include <cstddef>
#include <cstdint>
#include <stdexcept>

#if defined(_WIN32) && !defined(_WIN64)
#define LMAPI __stdcall
#define LMCALLBACK __cdecl
#else
#define LMAPI
#define LMCALLBACK
#endif

#if defined(_WIN32)
#if defined(LAMINAR_BUILDING_LIBRARY)
#define LMEXPORT __declspec(dllexport)
#else
#define LMEXPORT __declspec(dllimport)
#endif
#else
#define LMEXPORT __attribute__((visibility("default")))
#endif

/* ------------------------------------------------------------------ records */

/* The codes of the layer record's coded fields. Usages 0-4 are metal, 5-11 dielectric. */
enum : int32_t { LM_TYPE_METAL = 0, LM_TYPE_DIELECTRIC = 1 };
enum : int32_t {
    LM_USAGE_SIGNAL = 0, LM_USAGE_SOLID_PLANE = 1, LM_USAGE_SPLIT_PLANE = 2, LM_USAGE_FLOODED_SIGNAL = 3,
    LM_USAGE_PLATING = 4, LM_USAGE_SUBSTRATE = 5, LM_USAGE_SOLDER_MASK = 6, LM_USAGE_RIGID = 7,
    LM_USAGE_FLEXIBLE = 8, LM_USAGE_ADHESIVE = 9, LM_USAGE_COVER_LAYER = 10, LM_USAGE_STIFFENER = 11
};
enum : int32_t { LM_TECH_NONE = -1, LM_TECH_CORE = 0, LM_TECH_PREPREG = 1 };
enum : int32_t {
    LM_METAL_NONE = -1, LM_METAL_COPPER = 0, LM_METAL_ALUMINUM = 1, LM_METAL_TIN = 2, LM_METAL_SILVER = 3,
    LM_METAL_GOLD = 4, LM_METAL_PLATINUM = 5, LM_METAL_CUSTOM = 6
};
enum : int32_t { LM_POUR_NONE = 0, LM_POUR_SOLID = 1, LM_POUR_HATCHED = 2, LM_POUR_OUTLINE = 3 };

/* One layer of a board stackup; an array of them, top layer first, is a board. */
struct LMLAYEREX {
    int32_t nId;               /* host's layer identifier; 0 for layers made in the editor */
    uint8_t bPermanent;        /* nonzero: the layer may not be deleted */
    char szName[67];           /* NUL-terminated name */
    int32_t nType;             /* LM_TYPE_* */
    int32_t nUsage;            /* LM_USAGE_* */
    int32_t nTechnology;       /* LM_TECH_* */
    int32_t nMetal;            /* LM_METAL_* */
    double dThickness;         /* metres */
    double dEr;                /* relative permittivity */
    double dErFrequency;       /* hertz at which dEr is stated */
    double dLossTangent;
    double dHostParam1;        /* the host's; copied and compared */
    double dBulkResistivity;   /* ohm-metres */
    double dTempCoef;          /* 1/degC */
    double dTestWidth;         /* metres */
    double dTargetZ0;          /* ohms */
    double dWidth;             /* metres */
    double dGap;               /* metres */
    double dHostParam2;        /* the host's; copied only */
    uint8_t bVisible;
    uint8_t reserved1[3];      /* copied unchanged */
    uint32_t crColor;          /* 0x00BBGGRR */
    int32_t nPourDrawStyle;    /* LM_POUR_* */
    int32_t nHostParam3;       /* the host's; copied only */
    uint32_t pDrillSpans;      /* always 0 in records the editor hands out; ignored on input */
    uint8_t reserved2[12];     /* copied unchanged */
};

/* One measurement unit system as the host describes it. */
struct LMUNIT {
    char szName[16];
    char szLengthUnit[12];
    char szWeightUnit[12];
    double dLengthFactor;      /* shown length units per metre */
    int32_t nLengthDigits;
    uint8_t reserved1[4];
    double dWeightFactor;      /* shown weight units per gram */
    int32_t nWeightDigits;
    uint8_t reserved2[4];
};

/* One column of a grid tab; width in quarters of the average character width. */
struct LMGRIDCOLDESCR {
    int32_t columnId;
    int32_t width;
};

/* One tab of the layer grid. */
struct LMTABDESCR {
    int32_t id;
    int32_t propertyBarId;
    uint8_t visible;
    uint8_t customizable;
    uint8_t reserved[2];
    int32_t columnCount;
    LMGRIDCOLDESCR* columns;
};

/* A span of layers connected by one drilling, named by layer nId. */
struct LMDRILLPAIR {
    int32_t fromLayerId;
    int32_t toLayerId;
};

struct LMSETTINGS {
    int32_t unitIndex;         /* index into the supported units */
    int32_t metalThicknessAs;  /* 0 length, 1 weight */
};

struct LMSIMPARM {
    double erFrequency;        /* hertz */
    uint8_t autoEr;
    uint8_t fabCompensation;
    uint8_t reserved[6];
};

struct LMREGFLAGS {
    uint8_t appearance;
    uint8_t placement;
    uint8_t settings;          /* no group attached; no effect */
    uint8_t preferences;
};

static_assert(sizeof(LMLAYEREX) == 216, "LMLAYEREX is 216 bytes");
static_assert(offsetof(LMLAYEREX, nId) == 0);
static_assert(offsetof(LMLAYEREX, bPermanent) == 4);
static_assert(offsetof(LMLAYEREX, szName) == 5);
static_assert(offsetof(LMLAYEREX, nType) == 72);
static_assert(offsetof(LMLAYEREX, nUsage) == 76);
static_assert(offsetof(LMLAYEREX, nTechnology) == 80);
static_assert(offsetof(LMLAYEREX, nMetal) == 84);
static_assert(offsetof(LMLAYEREX, dThickness) == 88);
static_assert(offsetof(LMLAYEREX, dEr) == 96);
static_assert(offsetof(LMLAYEREX, dErFrequency) == 104);
static_assert(offsetof(LMLAYEREX, dLossTangent) == 112);
static_assert(offsetof(LMLAYEREX, dHostParam1) == 120);
static_assert(offsetof(LMLAYEREX, dBulkResistivity) == 128);
static_assert(offsetof(LMLAYEREX, dTempCoef) == 136);
static_assert(offsetof(LMLAYEREX, dTestWidth) == 144);
static_assert(offsetof(LMLAYEREX, dTargetZ0) == 152);
static_assert(offsetof(LMLAYEREX, dWidth) == 160);
static_assert(offsetof(LMLAYEREX, dGap) == 168);
static_assert(offsetof(LMLAYEREX, dHostParam2) == 176);
static_assert(offsetof(LMLAYEREX, bVisible) == 184);
static_assert(offsetof(LMLAYEREX, reserved1) == 185);
static_assert(offsetof(LMLAYEREX, crColor) == 188);
static_assert(offsetof(LMLAYEREX, nPourDrawStyle) == 192);
static_assert(offsetof(LMLAYEREX, nHostParam3) == 196);
static_assert(offsetof(LMLAYEREX, pDrillSpans) == 200);
static_assert(offsetof(LMLAYEREX, reserved2) == 204);

static_assert(sizeof(LMUNIT) == 72, "LMUNIT is 72 bytes");
static_assert(offsetof(LMUNIT, szName) == 0);
static_assert(offsetof(LMUNIT, szLengthUnit) == 16);
static_assert(offsetof(LMUNIT, szWeightUnit) == 28);
static_assert(offsetof(LMUNIT, dLengthFactor) == 40);
static_assert(offsetof(LMUNIT, nLengthDigits) == 48);
static_assert(offsetof(LMUNIT, dWeightFactor) == 56);
static_assert(offsetof(LMUNIT, nWeightDigits) == 64);

static_assert(sizeof(LMGRIDCOLDESCR) == 8);
static_assert(offsetof(LMGRIDCOLDESCR, columnId) == 0);
static_assert(offsetof(LMGRIDCOLDESCR, width) == 4);

static_assert(offsetof(LMTABDESCR, id) == 0);
static_assert(offsetof(LMTABDESCR, propertyBarId) == 4);
static_assert(offsetof(LMTABDESCR, visible) == 8);
static_assert(offsetof(LMTABDESCR, customizable) == 9);
static_assert(offsetof(LMTABDESCR, columnCount) == 12);
static_assert(offsetof(LMTABDESCR, columns) == 16);
static_assert(sizeof(LMTABDESCR) == (sizeof(void*) == 4 ? 20 : 24), "LMTABDESCR follows the pointer size");

static_assert(sizeof(LMDRILLPAIR) == 8);
static_assert(offsetof(LMDRILLPAIR, fromLayerId) == 0);
static_assert(offsetof(LMDRILLPAIR, toLayerId) == 4);

static_assert(sizeof(LMSETTINGS) == 8);
static_assert(offsetof(LMSETTINGS, unitIndex) == 0);
static_assert(offsetof(LMSETTINGS, metalThicknessAs) == 4);

static_assert(sizeof(LMSIMPARM) == 16);
static_assert(offsetof(LMSIMPARM, erFrequency) == 0);
static_assert(offsetof(LMSIMPARM, autoEr) == 8);
static_assert(offsetof(LMSIMPARM, fabCompensation) == 9);

static_assert(sizeof(LMREGFLAGS) == 4);
static_assert(offsetof(LMREGFLAGS, appearance) == 0);
static_assert(offsetof(LMREGFLAGS, placement) == 1);
static_assert(offsetof(LMREGFLAGS, settings) == 2);
static_assert(offsetof(LMREGFLAGS, preferences) == 3);

/* --------------------------------------------------- host-implemented objects */
/* Virtual functions are declared in slot order; there is deliberately no virtual
 * destructor, so an object built by another compiler of the same ABI fits. */

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

/* Rules checker. Severity 0 none, 1 warning, 2 error, 3 critical. */
struct IDRC {
    virtual int32_t CheckValue(int32_t field, const LMLAYEREX* layer, const char** message) = 0;
    virtual int32_t CheckStackup(const LMLAYEREX* layers, int32_t count, const char** message) = 0;
};

/* Impedance calculator; SI in and out, 0.0 means "no value". Slot 0 is never called. */
struct IZ0Calculator {
    virtual void Reserved0() = 0;
    virtual bool CalcStackupZ0(int32_t boardId, int32_t reserved, double* z0PerLayer) = 0;
    virtual double SolveTraceGeometry(const LMLAYEREX* layer, double knownDimension, bool differential,
                                      bool solveForSeparation) = 0;
    virtual void ApplyAutoEr(LMLAYEREX* layer) = 0;
    virtual bool CalcLoss(int32_t boardId, int32_t layerIndex, int32_t pointCount, const double* frequencies,
                          double* resistance, double* attenuation, double* resistiveAttenuation,
                          double* dielectricAttenuation) = 0;
};

enum { LM_ARCHIVE_SAVE = 0, LM_ARCHIVE_SAVE_AS = 1, LM_ARCHIVE_LOAD = 2 };

/* Load, Save and Save as on the host's storage. */
struct ILMArchiveCallback {
    virtual int32_t Perform(int32_t operation) = 0;
    virtual bool IsSupported(int32_t operation) = 0;
};

/* Called for every layer an insert command creates, before it is placed. */
struct ILMDefaultLayer {
    virtual void PrepareNewLayer(const LMLAYEREX* layers, int32_t count, int32_t index, LMLAYEREX* newLayer) = 0;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

/* The one failure the component raises: an out-of-range index or an unknown
 * board id. Nothing is written to a function's outputs when it is thrown. */
class LMEXPORT LMInvalidArgument : public std::invalid_argument {
public:
    explicit LMInvalidArgument(const char* what) : std::invalid_argument(what) {}
};

/* ------------------------------------------------------------ functions */

typedef void* LMHANDLE;
typedef int32_t(LMCALLBACK* LMHELPPROC)(uint32_t userValue, const char* helpFile, uint32_t command,
                                         uint32_t contextId);
typedef void(LMCALLBACK* LMCLOSEPROC)(int32_t closeCode, const char* context);

/* Capability bits (lmSetCaps / lmGetCaps); a new instance holds LM_CAP_DEFAULT. */
enum : uint32_t {
    LM_CAP_LOSS_VALUES = 0x1,            /* loss tangent and loss curve columns carry values */
    LM_CAP_DIFF_PAIR_PLANNING = 0x2,     /* Z0 planning for a differential pair is offered */
    LM_CAP_CHANGE_STRUCTURE = 0x4,       /* insert, paste, most-suitable insertion */
    LM_CAP_DELETE_LAYERS = 0x8,          /* delete and cut */
    LM_CAP_PICTURE_MOUSE = 0x10,         /* the picture reacts to the mouse */
    LM_CAP_LAYER_COLORS = 0x20,          /* the picture may use the layers' own colours */
    LM_CAP_KEEP_IN_SYNC_INITIAL = 0x40,  /* initial "Keep Layers in Sync" state */
    LM_CAP_KEEP_IN_SYNC_SHOWN = 0x80,    /* the "Keep Layers in Sync" check box is shown */
    LM_CAP_METAL_THICKNESS_AS = 0x100,   /* the length/weight choice is on the property bar */
    LM_CAP_READ_ONLY = 0x200,            /* only appearance and planning columns are editable */
    LM_CAP_ER_FREQUENCY = 0x400,         /* the Er frequency field is on the property bar */
    LM_CAP_RIGID_FLEX = 0x800,           /* rigid-flex usages instead of substrate */
    LM_CAP_LOSS_TANGENT_EDITABLE = 0x1000,
    LM_CAP_DEFAULT = 0x13C
};

enum { LM_CHANGE_ELECTRICAL = 0x1, LM_CHANGE_APPEARANCE = 0x2, LM_CHANGE_Z0_PLANNING = 0x4 };
enum { LM_CLOSE_APPLIED = 1, LM_CLOSE_DISCARDED = 2 };

extern "C" {
/*  1 */ LMEXPORT LMHANDLE LMAPI lmInitInstance(void* parentWindow, int32_t reserved);
/*  2 */ LMEXPORT void LMAPI lmFreeInstance(LMHANDLE instance);
/*  3 */ LMEXPORT void LMAPI lmSetTabs(LMHANDLE instance, const LMTABDESCR* tabs, int32_t count);
/*  4 */ LMEXPORT int32_t LMAPI lmGetTabCount(LMHANDLE instance);
/*  5 */ LMEXPORT LMTABDESCR* LMAPI lmGetTab(LMHANDLE instance, int32_t index);
/*  6 */ LMEXPORT bool LMAPI lmAddStackup(LMHANDLE instance, int32_t boardId, const char* name,
                                          const LMLAYEREX* layers, int32_t count);
/*  7 */ LMEXPORT void LMAPI lmGetStackup(LMHANDLE instance, int32_t boardId, LMLAYEREX** layers, int32_t* count);
/*  8 */ LMEXPORT void LMAPI lmFreeStackups(LMHANDLE instance);
/*  9 */ LMEXPORT bool LMAPI lmRunModal(LMHANDLE instance);
/* 10 */ LMEXPORT void LMAPI lmSaveToRegistry(LMHANDLE instance, bool useIniFile, const char* keyOrFileName,
                                              const LMREGFLAGS* flags);
/* 11 */ LMEXPORT void LMAPI lmLoadFromRegistry(LMHANDLE instance, bool useIniFile, const char* keyOrFileName,
                                                const LMREGFLAGS* flags);
/* 12 */ LMEXPORT void LMAPI lmSetSettings(LMHANDLE instance, const LMSETTINGS* settings);
/* 13 */ LMEXPORT void LMAPI lmGetSettings(LMHANDLE instance, LMSETTINGS* settings);
/* 14 */ LMEXPORT uint32_t LMAPI lmGetChanges(LMHANDLE instance, bool reset);
/* 15 */ LMEXPORT IZ0Calculator* LMAPI lmGetZ0Calculator(LMHANDLE instance);
/* 16 */ LMEXPORT void LMAPI lmSetZ0Calculator(LMHANDLE instance, IZ0Calculator* calculator);
/* 17 */ LMEXPORT void LMAPI lmSetDesignInfo(LMHANDLE instance, const char* designName, const char* designer,
                                             const char* third);
/* 18 */ LMEXPORT void LMAPI lmSetHelpInfo(LMHANDLE instance, const char* helpFile, uint32_t contextId,
                                           uint32_t userValue, LMHELPPROC helpProc);
/* 19 */ LMEXPORT void LMAPI lmSetSimParm(LMHANDLE instance, const LMSIMPARM* parm);
/* 20 */ LMEXPORT void LMAPI lmGetSimParm(LMHANDLE instance, LMSIMPARM* parm);
/* 21 */ LMEXPORT IDRC* LMAPI lmGetDRC(LMHANDLE instance);
/* 22 */ LMEXPORT void LMAPI lmSetDRC(LMHANDLE instance, IDRC* drc);
/* 23 */ LMEXPORT ILMDefaultLayer* LMAPI lmGetDefaultLayer(LMHANDLE instance);
/* 24 */ LMEXPORT void LMAPI lmSetDefaultLayer(LMHANDLE instance, ILMDefaultLayer* defaultLayer);
/* 25 */ LMEXPORT void LMAPI lmSetCurrentBoard(LMHANDLE instance, int32_t boardId);
/* 26 */ LMEXPORT int32_t LMAPI lmGetCurrentBoard(LMHANDLE instance);
/* 27 */ LMEXPORT ILMArchiveCallback* LMAPI lmGetArchiveCallback(LMHANDLE instance);
/* 28 */ LMEXPORT void LMAPI lmSetArchiveCallback(LMHANDLE instance, ILMArchiveCallback* callback);
/* 29 */ LMEXPORT bool LMAPI lmAddDrillPairs(LMHANDLE instance, int32_t boardId, LMDRILLPAIR* pairs, int32_t count);
/* 30 */ LMEXPORT void LMAPI lmSetCaps(LMHANDLE instance, uint32_t mask, uint32_t values);
/* 31 */ LMEXPORT uint32_t LMAPI lmGetCaps(LMHANDLE instance, uint32_t mask);
/* 32 */ LMEXPORT void LMAPI lmSetSupportedUnits(LMHANDLE instance, const LMUNIT* units, int32_t count);
/* 33, 34: unassigned */
/* 35 */ LMEXPORT void LMAPI lmSaveInstance(LMHANDLE instance);
/* 36 */ LMEXPORT void* LMAPI lmGetMatLib(LMHANDLE instance);
/* 37 */ LMEXPORT void LMAPI lmSetMatLib(LMHANDLE instance, void* matLib);
/* 38 */ LMEXPORT bool LMAPI lmRunNonModal(LMHANDLE instance, LMCLOSEPROC closeProc, const char* context);
/* 39 */ LMEXPORT void LMAPI lmExitInstance(LMHANDLE instance, bool apply);
/* 40 */ LMEXPORT void LMAPI lmSetTitle(LMHANDLE instance, const char* title);

/* Beyond the numbered interface: what the editor prints and copies, written to
 * a file for a host without a printer or a display (the current board, with
 * the design texts and the instance's impedance calculator). The kind and the
 * path's extension choose the output: the layer report as PDF (numbered
 * pages); the picture as PNG (as Copy Picture makes it) or PDF (as Print
 * Picture prints it); the manufacturing documentation as SVG or PDF. False
 * when the instance has no board, the kind or extension is unknown, or the
 * file could not be written (a file that existed is then left as it was). */
enum { LM_OUTPUT_REPORT = 0, LM_OUTPUT_PICTURE = 1, LM_OUTPUT_DOCUMENTATION = 2 };
typedef struct LMOUTPUTREQUEST {
    int32_t nKind;       /* LM_OUTPUT_... */
    int32_t bTable;      /* report: a table (nonzero) or a list */
    int32_t bSchematic;  /* report: the schematic above the layers */
    uint32_t nColumns;   /* report: bit k prints column k of Layer Name, Type, Usage, Thickness,
                            Technology, Er, Metal, Bulk R, T coef, Loss Tangent, Test Width, Z0 */
    const char* szRange; /* report: layer numbers such as "1-3,7"; null or empty: every layer */
    int32_t nTab;        /* picture: the tab whose labels the picture shows (index into the tabs); -1 the active one */
    int32_t bLetter;     /* PDF pages: Letter (nonzero) or A4 */
} LMOUTPUTREQUEST;
LMEXPORT bool LMAPI lmWriteOutput(LMHANDLE instance, const char* path, const LMOUTPUTREQUEST* request);
}

#endif /* LAMINAR_LAMINAR_H */
