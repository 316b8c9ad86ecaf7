#include "qt/QtCustomizeDialog.h"

#include "qt/QtConversions.h"
#include "qt/QtTemplateControls.h"
#include "res/CommandIds.h"
#include "ui/CustomizeColumns.h"

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

namespace lm::qt {
namespace {

// The dialog's widgets mirror the column list of the core, which decides everything.
class CustomizeDialog : public QDialog {
public:
    CustomizeDialog(QWidget* parent, CustomizeColumns& model) : QDialog(parent), model_(model)
    {
        buildTemplateDialog(*res::findDialogTemplate(res::IDD_CUSTOMIZE), this);
        list_ = findChild<QListWidget*>(QString::number(res::IDC_COLUMN_LIST));
        up_ = findChild<QPushButton*>(QString::number(res::IDC_MOVE_UP));
        down_ = findChild<QPushButton*>(QString::number(res::IDC_MOVE_DOWN));
        auto* ok = findChild<QPushButton*>(QString::number(res::IDOK));
        auto* cancel = findChild<QPushButton*>(QString::number(res::IDCANCEL));

        up_->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
        down_->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
        up_->setAutoDefault(false);
        down_->setAutoDefault(false);

        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(up_, &QPushButton::clicked, this, [this] { move(&CustomizeColumns::moveUp); });
        connect(down_, &QPushButton::clicked, this, [this] { move(&CustomizeColumns::moveDown); });
        connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
            if (row >= 0)
                model_.select(row);
            updateButtons();
        });
        connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
            model_.setChecked(list_->row(item), item->checkState() == Qt::Checked);
        });
        fillList();
    }

private:
    void fillList()
    {
        const QSignalBlocker quiet(list_);
        list_->clear();
        for (const ColumnListItem& column : model_.items()) {
            auto* item = new QListWidgetItem(toQString(column.title), list_);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(column.checked ? Qt::Checked : Qt::Unchecked);
            item->setData(Qt::UserRole, column.columnId);
        }
        list_->setCurrentRow(model_.selection());
        updateButtons();
    }

    void move(void (CustomizeColumns::*step)())
    {
        (model_.*step)();
        fillList();
        list_->setFocus();
    }

    void updateButtons()
    {
        up_->setEnabled(model_.canMoveUp());
        down_->setEnabled(model_.canMoveDown());
    }

    CustomizeColumns& model_;
    QListWidget* list_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
};

} // namespace

bool runCustomizeDialog(QWidget* parent, lm::CustomizeColumns& model)
{
    CustomizeDialog dialog(parent, model);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace lm::qt
