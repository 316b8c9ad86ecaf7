#include "qt/QtPicturePane.h"

#include "qt/QtColor.h"
#include "qt/QtConversions.h"
#include "qt/QtPictureView.h"

#include "api/EditorInstance.h"
#include "res/CommandIds.h"
#include "ui/PicturePaneState.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalBlocker>

namespace lm::qt {
QtPicturePane::QtPicturePane(EditorInstance& instance, QWidget* parent) : QtPane(instance, parent)
{
    picture_ = new QtPictureView(instance.settings(), this);
    setView(picture_);
    setPropertyBar(res::IDD_PICTURE_BAR);
}

void QtPicturePane::setLabelMode(int32_t tabId) { picture_->picture().setLabelMode(tabId); }

int32_t QtPicturePane::labelMode() const { return picture_->picture().labelMode(); }

StackupPicture& QtPicturePane::picture() { return picture_->picture(); }

void QtPicturePane::setZ0Values(std::span<const double> values) { picture_->picture().setZ0Values(values); }

void QtPicturePane::updateView()
{
    picture_->relayout();
    refreshChecks();
}

void QtPicturePane::redrawView()
{
    picture_->update();
    refreshThickness();
}

void QtPicturePane::barCreated()
{
    if (auto* status = qobject_cast<QLabel*>(control(res::IDC_STATUS_LINE))) {
        QFont bold = font();
        bold.setWeight(QFont::Bold);
        status->setFont(bold);
        status->setWordWrap(true);
    }
    for (const ControlState& state : pictureBarStates(instance().settings()))
        if (auto* check = qobject_cast<QCheckBox*>(control(state.id))) {
            const QSignalBlocker quiet(check);
            check->setEnabled(state.enabled);
            check->setChecked(state.checked.value_or(false));
        }
    refreshChecks();
}

void QtPicturePane::barLaidOut()
{
    // The status line runs across the whole pane, as far from the right edge as from the left.
    if (QWidget* status = control(res::IDC_STATUS_LINE)) {
        const QRect placed = status->geometry();
        status->setGeometry(placed.left(), placed.top(), std::max(0, width() - 2 * placed.left()), placed.height());
    }
}

void QtPicturePane::handleBarCommand(uint32_t id, uint32_t code)
{
    auto* check = qobject_cast<QCheckBox*>(control(id));
    if (check == nullptr || code != kClicked)
        return;
    switch (pictureBarCheckChanged(instance().settings(), id, check->isChecked())) {
    case PictureChange::Relayout: picture_->relayout(); break;
    case PictureChange::Redraw: picture_->update(); break;
    case PictureChange::None: break;
    }
}

void QtPicturePane::refreshChecks()
{
    const StatusLine line = checkStatusLine(instance().settings());
    severity_ = line.severity;
    if (auto* status = qobject_cast<QLabel*>(control(res::IDC_STATUS_LINE))) {
        QPalette palette = status->palette();
        palette.setColor(QPalette::WindowText, colorOf(line.colour));
        status->setPalette(palette);
        status->setText(toQString(line.text));
    }
    refreshThickness();
}

void QtPicturePane::refreshThickness()
{
    if (auto* thickness = qobject_cast<QLabel*>(control(res::IDC_TOTAL_THICKNESS)))
        thickness->setText(toQString(totalThicknessText(instance().settings())));
}

} // namespace lm::qt
