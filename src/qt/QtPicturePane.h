#pragma once
// The lower pane: the stackup picture over its bar (template 1012) with the
// picture's check boxes, the board's total thickness and the status line of
// the rules check.
#include "qt/QtPane.h"

#include <span>

namespace lm {
class StackupPicture;
}

namespace lm::qt {

class QtPictureView;

class QtPicturePane : public QtPane {
    Q_OBJECT

public:
    QtPicturePane(EditorInstance& instance, QWidget* parent);

    // The picture labels its layers as that tab does.
    void setLabelMode(int32_t tabId);
    int32_t labelMode() const;
    // Severity of the rules-check result the status line shows.
    int32_t severity() const { return severity_; }

    StackupPicture& picture();
    // Z0 of every layer of the current board, from the grid's refresh of computed values.
    void setZ0Values(std::span<const double> values);
    QtPictureView* pictureView() const { return picture_; }

    // Lays the picture out anew, runs the rules check on the current board,
    // refreshes the status line and the total thickness, and redraws.
    void updateView() override;
    void redrawView() override;

protected:
    void handleBarCommand(uint32_t id, uint32_t code) override;
    void barCreated() override;
    void barLaidOut() override;

private:
    void refreshChecks();
    void refreshThickness();

    QtPictureView* picture_ = nullptr;
    int32_t severity_ = 0; // of the rules-check result shown
};

} // namespace lm::qt
