#include "qt/QtGraphDialogs.h"

#include "charts/ChartCommands.h"
#include "charts/LossCurveDialog.h"
#include "charts/Z0CurveDialog.h"
#include "qt/CoreCall.h"
#include "qt/QtChartWidget.h"
#include "qt/QtColor.h"
#include "qt/QtConversions.h"
#include "qt/QtDialogControls.h"
#include "qt/QtTemplateControls.h"
#include "res/ChartResources.h"
#include "res/CommandIds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include <vector>

namespace lm::qt {
namespace {

using namespace res;

Rect rectOf(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// What both graph dialogs share: the template's controls, the chart window in
// the place of its custom control, the context menu, Ctrl+C, Copy and Print,
// and the layout that follows the window's size.
template <typename Model>
class GraphDialog : public QDialog {
public:
    GraphDialog(QWidget* parent, uint32_t templateId, Model& model, const QFont& gridFont)
        : QDialog(parent), controls_(*this), model_(model)
    {
        CChartControl& chart = model.chart();
        const DialogTemplate& t = *findDialogTemplate(templateId);
        buildTemplateDialog(t, this);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setSizeGripEnabled(true);
        const BaseUnits units = baseUnitsOf(font());
        const TemplateItem& place = *t.item(IDC_CHART);
        chartWidget_ = new QtChartWidget(chart, this);
        chartWidget_->setGeometry(toQRect(dialogUnitsToPixels(place.x, place.y, place.cx, place.cy, units)));
        chartWidget_->setVisible(place.visible);
        chartWidget_->lower();
        controls_.nameControl(IDC_CHART, chartWidget_);
        const ChartFont labels = chartFontOf(gridFont);
        chart.setLabelFont(labels.face, labels.height, labels.weight, labels.italic);
        chartWidget_->contextMenuRequested = [this, &chart](const QPoint& at) { showChartMenu(chart, at); };
        auto* copy = new QShortcut(QKeySequence::Copy, this);
        connect(copy, &QShortcut::activated, this, [this] { command(ID_CHART_COPY); });
        for (const uint32_t id : {IDC_GRAPH_COPY, IDC_GRAPH_PRINT})
            if (auto* button = qobject_cast<QAbstractButton*>(controls_.control(id)))
                connect(button, &QAbstractButton::clicked, this, [this, id] { command(id); });
        // Enter in an edit box must not press a button (it would close the dialog).
        for (QPushButton* button : findChildren<QPushButton*>())
            button->setAutoDefault(false);
        if (auto* close = qobject_cast<QAbstractButton*>(controls_.control(IDCANCEL)))
            connect(close, &QAbstractButton::clicked, this, &QDialog::reject);
    }

protected:
    // A command of the context menu, Ctrl+C, Copy or Print.
    void command(uint32_t id)
    {
        callCore([&] { model_.onCommand(id); });
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QDialog::resizeEvent(event);
        place(model_.layoutFor({width(), height()}));
    }

    // Every control's rectangle now, by id, for the core's layout records.
    std::vector<std::pair<uint32_t, Rect>> controlRects() const
    {
        std::vector<std::pair<uint32_t, Rect>> rects;
        for (QObject* child : children())
            if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->objectName().isEmpty()) {
                bool number = false;
                const uint32_t id = widget->objectName().toUInt(&number);
                if (number)
                    rects.emplace_back(id, rectOf(widget->geometry()));
            }
        if (chartWidget_)
            rects.emplace_back(IDC_CHART, rectOf(chartWidget_->geometry()));
        return rects;
    }

    void place(const std::vector<std::pair<uint32_t, Rect>>& layout)
    {
        for (const auto& [id, rect] : layout) {
            if (QWidget* widget = controls_.control(id))
                widget->setGeometry(toQRect(rect));
        }
    }

    QtDialogControls controls_;
    QtChartWidget* chartWidget_ = nullptr;
    Model& model_;

private:
    void showChartMenu(const CChartControl& chart, const QPoint& at)
    {
        QMenu menu(this);
        for (const MenuItem& item : chartPopupMenu().items) {
            if (item.isSeparator()) {
                menu.addSeparator();
                continue;
            }
            QAction* action = menu.addAction(toQString(item.text));
            action->setData(item.id);
            const bool mode = item.id == ID_CHART_ZOOM || item.id == ID_CHART_PAN || item.id == ID_CHART_TRACK;
            action->setCheckable(mode);
            action->setChecked(chartCommandChecked(chart, item.id));
        }
        if (QAction* chosen = menu.exec(at))
            command(chosen->data().toUInt());
    }
};

class Z0CurveDialog : public GraphDialog<CZ0CurveDialog> {
public:
    Z0CurveDialog(QWidget* parent, CZ0CurveDialog& model, const QFont& gridFont)
        : GraphDialog(parent, IDD_Z0_CURVE, model, gridFont)
    {
        callCore([&] { model_.initDialog(controls_); });
        const auto rect = [this](uint32_t id) { return rectOf(controls_.control(id)->geometry()); };
        model_.recordLayout({width(), height()}, rectOf(chartWidget_->geometry()), rect(IDCANCEL),
                            rect(IDC_GRAPH_COPY), rect(IDC_GRAPH_PRINT));
        const Size least = model_.minimumTrackingSize(0);
        minimum_ = QSize(least.width, least.height);
        setFixedSize(size()); // no sizing while the sweep runs
        QTimer::singleShot(0, this, [this] { step(); });
    }

    void reject() override
    {
        callCore([&] { model_.cancel(); });
        if (isVisible())
            QDialog::reject(); // the core ends the dialog; this only when it could not
    }

private:
    // One calculator call per pass of the event loop, so the dialog stays live.
    void step()
    {
        bool more = false;
        callCore([&] { more = model_.onIdle(); });
        if (more) {
            QTimer::singleShot(0, this, [this] { step(); });
            return;
        }
        if (!model_.sizingBlocked()) {
            setMinimumSize(minimum_);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
    }

    QSize minimum_;
};

class LossCurveDialog : public GraphDialog<CLossCurve> {
public:
    LossCurveDialog(QWidget* parent, CLossCurve& model, const QFont& gridFont)
        : GraphDialog(parent, IDD_LOSS_CURVE, model, gridFont)
    {
        for (const uint32_t id : {IDC_LOSS_SWATCH_RESISTANCE, IDC_LOSS_SWATCH_ATTENUATION, IDC_LOSS_SWATCH_RESISTIVE,
                                  IDC_LOSS_SWATCH_DIELECTRIC})
            paintSwatch(id);
        const auto toggled = [this](uint32_t id, void (CLossCurve::*handler)()) {
            if (auto* box = qobject_cast<QAbstractButton*>(controls_.control(id)))
                connect(box, &QAbstractButton::clicked, this, [this, handler] { callCore([&] { (model_.*handler)(); }); });
        };
        toggled(IDC_LOSS_LOG_X, &CLossCurve::logXToggled);
        toggled(IDC_LOSS_LOG_Y, &CLossCurve::optionToggled);
        toggled(IDC_LOSS_SHOW_RESISTIVE, &CLossCurve::optionToggled);
        toggled(IDC_LOSS_SHOW_DIELECTRIC, &CLossCurve::optionToggled);
        toggled(IDC_LOSS_RESISTANCE, &CLossCurve::viewChosen);
        toggled(IDC_LOSS_ATTENUATION, &CLossCurve::viewChosen);
        for (const uint32_t id : {IDC_LOSS_MIN, IDC_LOSS_MAX}) {
            auto* edit = qobject_cast<QLineEdit*>(controls_.control(id));
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::returnPressed, this, [this, id] { callCore([&] { model_.rangeEditLeft(id, false); }); });
        }

        const QRect screen = this->screen() ? this->screen()->geometry() : QRect(0, 0, 1920, 1080);
        callCore([&] { model_.initDialog(controls_, {screen.width(), screen.height()}); });
        model_.setMinimumSize({width(), height()});
        model_.recordLayout({width(), height()}, controlRects());
        setMinimumSize(size());
        if (const std::optional<Rect> stored = model_.storedWindow())
            setGeometry(toQRect(*stored));
    }

    void reject() override
    {
        if (closing_)
            return;
        closing_ = true;
        const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
        callCore([&] { model_.close(rectOf(normal)); });
        if (isVisible())
            QDialog::reject(); // the core ends the dialog; this only when it could not
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut && !closing_) {
            const uint32_t id = watched->objectName().toUInt();
            // Focus to Close or out of the dialog: no check, the user is leaving.
            QWidget* to = QApplication::focusWidget();
            const bool leaving = to == nullptr || to->window() != this || to == controls_.control(IDCANCEL);
            callCore([&] { model_.rangeEditLeft(id, leaving); });
        }
        return QDialog::eventFilter(watched, event);
    }

private:
    void paintSwatch(uint32_t id)
    {
        static const std::pair<uint32_t, uint32_t> colours[] = {
            {IDC_LOSS_SWATCH_RESISTANCE, 0x0000FF}, {IDC_LOSS_SWATCH_ATTENUATION, 0xFF0000},
            {IDC_LOSS_SWATCH_RESISTIVE, 0x0000FF}, {IDC_LOSS_SWATCH_DIELECTRIC, 0x00FF00}};
        QWidget* swatch = controls_.control(id);
        if (!swatch)
            return;
        for (const auto& [swatchId, colour] : colours)
            if (swatchId == id)
                swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;")
                                          .arg(colorOf(colour).name()));
        swatch->setFocusPolicy(Qt::NoFocus);
    }

    bool closing_ = false;
};

} // namespace

void runZ0CurveDialog(QWidget* parent, CZ0CurveDialog& dialog, const QFont& gridFont)
{
    Z0CurveDialog window(parent, dialog, gridFont);
    window.exec();
}

void runLossCurveDialog(QWidget* parent, CLossCurve& dialog, const QFont& gridFont)
{
    LossCurveDialog window(parent, dialog, gridFont);
    if (dialog.resistance().empty())
        return; // no loss data: the message was shown and the dialog ended before it opened
    window.exec();
}

} // namespace lm::qt
