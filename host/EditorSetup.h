#pragma once
// How the example host sets an editor instance up for one stackup file: the
// unit systems it works in, the capabilities it offers, the simulation
// parameters, the texts the window shows and help. docs/example-host.md
// explains the choices.
#include "BoardFile.h"
#include "KicadRulesCheck.h"

#include <laminar/laminar.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>

namespace lmhost {

// Everything the example needs; rigid-flex files add LM_CAP_RIGID_FLEX.
constexpr uint32_t kHostCaps = LM_CAP_LOSS_VALUES | LM_CAP_DIFF_PAIR_PLANNING | LM_CAP_CHANGE_STRUCTURE | LM_CAP_DELETE_LAYERS |
                               LM_CAP_PICTURE_MOUSE | LM_CAP_LAYER_COLORS | LM_CAP_KEEP_IN_SYNC_SHOWN |
                               LM_CAP_METAL_THICKNESS_AS | LM_CAP_ER_FREQUENCY;

// Metric (um, gram) at index 0, Imperial (mils, oz) at index 1.
std::array<LMUNIT, 2> hostUnits();

// Some layer of some board has a rigid-flex usage (Rigid, Flexible, Adhesive,
// Cover Layer or Stiffener).
bool usesRigidFlexUsages(std::span<const BoardStackup> boards);
// kHostCaps, with the rigid-flex bit for files that use rigid-flex usages: the
// insert menus then offer those usages instead of Substrate.
uint32_t capabilitiesFor(std::span<const BoardStackup> boards);

// Units, settings, capabilities, simulation parameters, help, the file's name
// and the boards; for a KiCad board, the host's rules check, which the caller
// keeps while the instance lives (null for a stackup file). Preferences, the
// archive callback and the run are the caller's. helpFile is the user guide's
// absolute path (empty: none found).
[[nodiscard]] std::unique_ptr<KicadRulesCheck> setUpInstance(LMHANDLE instance, const StackupDocument& document,
                                                             const std::string& helpFile, LMHELPPROC helpProc);

// Restores the user's stored preferences. An entry the component refuses is
// reported on err with the file and the entry, and the editor goes on with the
// defaults; the result is then false, and the caller must not store preferences
// over a file it could not read.
bool restoreUserPreferences(LMHANDLE instance, std::ostream& err);

// Design information and window title name the file: "Laminar - 8-layer.json".
// Called again when Save as gives the boards another file.
void showFileName(LMHANDLE instance, const std::filesystem::path& file);
// "Laminar - 8-layer.json", with "*" after the name while edits are unsaved.
std::string editorTitle(const std::filesystem::path& file, bool unsaved);

} // namespace lmhost
