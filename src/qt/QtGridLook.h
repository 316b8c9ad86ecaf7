#pragma once
// The colours of the layer grid that are not the cells' own.
#include <QColor>

namespace lm::qt::look {

inline const QColor kGridLine(212, 212, 212);
// Cell text; disabled cells (results, not-applicable cells) stay readable.
inline const QColor kText(0, 0, 0);
inline const QColor kDisabledText(80, 80, 80);
// Selected rows: a calm blue over the cells, full blue with white numbers in the row header.
inline const QColor kSelectionTint(38, 110, 200, 80);
inline const QColor kSelectedHeader(52, 112, 190);
inline const QColor kSelectedHeaderText(255, 255, 255);
inline const QColor kCurrentFrame(20, 78, 160);
inline const QColor kDropLine(20, 78, 160);

} // namespace lm::qt::look
