#pragma once
// A pane of the editor window's splitter: a view above a property bar. The bar
// is built from a dialog template, one child widget per template item named by
// its control id, and laid out in the pane font's dialog units on every resize;
// the view fills the rest down to one pixel above the bar.
#include "res/DialogTemplates.h"
#include "ui/GridBarCommands.h"
#include "ui/PropertyBarLayout.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

namespace lm {
class EditorInstance;
}

namespace lm::qt {

class QtPane : public QWidget {
    Q_OBJECT

public:
    // Offered every command of a bar control first (control id, notification
    // code); true when the editor window handled it.
    using CommandOffer = std::function<bool(uint32_t id, uint32_t code)>;

    // Notification codes a bar control reports with its command.
    static constexpr uint32_t kClicked = kBarClicked;
    static constexpr uint32_t kSelectionChange = kBarSelectionChange;
    static constexpr uint32_t kEditChange = kBarEditChange;

    QtPane(EditorInstance& instance, QWidget* parent);
    ~QtPane() override;

    // Replaces the bar with the one of that template (an unknown id gives an
    // empty bar); the previous bar's controls are destroyed.
    void setPropertyBar(int32_t templateId);
    int32_t propertyBarId() const { return barTemplateId_; }
    // The bar control with that id; null when the bar has none.
    QWidget* control(uint32_t id) const;

    // Rebuild from the data and redraw.
    virtual void updateView();
    // Redraw only.
    virtual void redrawView();

    void setCommandOffer(CommandOffer offer) { commandOffer_ = std::move(offer); }

protected:
    EditorInstance& instance() const { return instance_; }
    // The widget filling the view area; the pane owns and places it.
    void setView(QWidget* view);
    QWidget* view() const { return view_; }

    // A command from a bar control: offered to the window first, then handled here.
    void barCommand(uint32_t id, uint32_t code);
    // What the pane does with a bar command the window left alone.
    virtual void handleBarCommand(uint32_t id, uint32_t code);
    // The bar's controls exist (and are laid out): set their states.
    virtual void barCreated() {}
    // The bar's controls were placed by the template (on every resize).
    virtual void barLaidOut() {}

    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void connectControl(QWidget* widget, const res::TemplateItem& item);
    BaseUnits baseUnits() const;
    void layoutPane();

    EditorInstance& instance_;
    QWidget* view_ = nullptr;
    int32_t barTemplateId_ = 0;
    std::vector<QWidget*> controls_; // children, in template order
    PaneLayout layout_;
    CommandOffer commandOffer_;
};

} // namespace lm::qt
