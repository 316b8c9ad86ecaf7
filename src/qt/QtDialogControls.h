#pragma once
// DialogControls over a Qt dialog: each control found by its object name (the
// control id), the title on the window, the end through QDialog::done.
#include "charts/DialogControls.h"

#include <QDialog>
#include <QHash>
#include <QString>

namespace lm::qt {

class QtDialogControls : public DialogControls {
public:
    explicit QtDialogControls(QDialog& dialog) : dialog_(dialog) {}

    void showControl(uint32_t id, bool shown) override;
    void enableControl(uint32_t id, bool enabled) override;
    void setControlText(uint32_t id, std::string_view text) override;
    std::string controlText(uint32_t id) const override;
    bool isChecked(uint32_t id) const override;
    void setChecked(uint32_t id, bool checked) override;
    void setProgress(uint32_t id, int32_t position) override;
    void setTitle(std::string_view title) override;
    std::string title() const override;
    void focusAndSelect(uint32_t id) override;
    void endDialog() override;

    // The control of that id: a child named by the number, or one given a name of its own.
    QWidget* control(uint32_t id) const;
    // A control whose object name is not its id (the chart is "chart").
    void nameControl(uint32_t id, QWidget* widget) { named_.insert(id, widget); }

private:
    QDialog& dialog_;
    QHash<uint32_t, QWidget*> named_;
};

} // namespace lm::qt
