#pragma once
// How the example host sets an editor instance up for one stackup file: the
// unit systems it works in, the capabilities it offers, the simulation
// parameters, the texts the window shows and help. docs/example-host.md
// explains the choices.
#include "StackupFile.h"

#include <laminar/laminar.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace lmhost {

// Capability bits as the host interface defines them; the host keeps its own
// names, as it knows the component only through the public header.
enum HostCapability : uint32_t {
    kCapDiffPairPlanning = 0x2,
    kCapChangeStructure = 0x4,
    kCapDeleteLayers = 0x8,
    kCapPictureMouse = 0x10,
    kCapLayerColors = 0x20,
    kCapKeepInSyncShown = 0x80,
    kCapMetalThicknessAs = 0x100,
    kCapErFrequency = 0x400,
    kCapRigidFlex = 0x800,
};
// Everything the example offers on every file; rigid-flex is decided per file.
constexpr uint32_t kHostCaps = kCapDiffPairPlanning | kCapChangeStructure | kCapDeleteLayers | kCapPictureMouse |
                               kCapLayerColors | kCapKeepInSyncShown | kCapMetalThicknessAs | kCapErFrequency;

// Metric (um, gram) at index 0, Imperial (mils, oz) at index 1.
std::array<LMUNIT, 2> hostUnits();

// Some layer of some board has a rigid-flex usage (Rigid, Flexible, Adhesive,
// Cover Layer or Stiffener).
bool usesRigidFlexUsages(std::span<const BoardStackup> boards);
// kHostCaps, with the rigid-flex bit for files that use rigid-flex usages: the
// insert menus then offer those usages instead of Substrate.
uint32_t capabilitiesFor(std::span<const BoardStackup> boards);

// Units, settings, capabilities, simulation parameters, help, the file's name
// and the boards. Preferences, the archive callback and the run are the caller's.
// helpFile is the user guide's absolute path (empty: none found).
void setUpInstance(LMHANDLE instance, const std::filesystem::path& file, std::span<const BoardStackup> boards,
                   const std::string& helpFile, LMHELPPROC helpProc);

// Design information and window title name the file: "Laminar - 8-layer.json".
// Called again when Save as gives the boards another file.
void showFileName(LMHANDLE instance, const std::filesystem::path& file);

} // namespace lmhost
