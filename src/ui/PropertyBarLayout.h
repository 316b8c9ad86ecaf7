#pragma once
// Where a pane's property bar and its view go: the bar is laid out from its
// dialog template at the bottom of the pane, in the pane font's base units,
// and the view fills the rest.
#include "res/DialogTemplates.h"
#include "ui/WindowLayout.h"

#include <functional>
#include <string_view>
#include <vector>

namespace lm {

// Pixel width of a text in the font being measured.
using TextWidthFunction = std::function<int32_t(std::string_view)>;

// The average character width as dialogs compute it: half the width of one
// letter of the mixed-case alphabet, rounded up.
int32_t averageCharWidth(const TextWidthFunction& textWidth);
BaseUnits measureBaseUnits(const TextWidthFunction& textWidth, int32_t charHeight);

// The template of a property bar; an id without template gives an empty bar.
const res::DialogTemplate& propertyBarTemplate(int32_t templateId);

struct PlacedControl {
    const res::TemplateItem* item = nullptr; // into the template laid out
    Rect rect;                               // in pane coordinates
};

struct PaneLayout {
    Rect view;
    Rect bar;
    std::vector<PlacedControl> controls; // in template order
    // Group boxes leave their inside unpainted; the pane fills these first.
    std::vector<Rect> groupBoxes;
};

// With `textWidth`, a static label narrower than its text grows towards its
// neighbour on the row, so that it shows its whole text on one line.
PaneLayout layoutPane(const res::DialogTemplate& bar, Size pane, BaseUnits units,
                      const TextWidthFunction& textWidth = {});

} // namespace lm
