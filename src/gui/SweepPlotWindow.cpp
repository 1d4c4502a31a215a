#include "SweepPlotWindow.h"

#include "SweepCsv.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QToolBar>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>
#include <fstream>
#include <limits>

namespace zaro::gui {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Number(double value) {
    return QString::number(value, 'g', 5);
}

constexpr int MagnitudeQuantity = 0;
constexpr int PhaseQuantity = 1;

} // namespace

TSweepPlotWindow::TSweepPlotWindow(TSweepResult result, QWidget* parent)
    : QWidget(parent, Qt::Window), FResult(std::move(result)) {
    setObjectName(QStringLiteral("SweepPlotWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(FResult.IsAC ? Text("周波数特性")
                                : Text("直流掃引 ") + QString::fromStdString(FResult.VariableName));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    BuildToolBar(*layout);
    FCharts = new QWidget(this);
    auto* charts = new QVBoxLayout(FCharts);
    charts->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FCharts, 1);
    const QString x = QString::fromStdString(FResult.VariableName) + (FResult.IsAC ? " (Hz)" : "");
    if (FResult.IsAC) {
        AddChart(Text("振幅"), x);
        AddChart(Text("位相 (°)"), x);
    } else {
        AddChart(Text("測定値"), x);
    }
    FReadout = new QLabel(this);
    FReadout->setObjectName(QStringLiteral("SweepReadout"));
    FReadout->setAccessibleName(Text("カーソル位置の値"));
    FReadout->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(FReadout);
    Replot();
    resize(760, FResult.IsAC ? 620 : 440);
}

void TSweepPlotWindow::BuildToolBar(QVBoxLayout& layout) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("SweepToolBar"));
    bar->addAction(Text("CSV保存..."), this,
                   [this] { AskAndSave(Text("CSV (*.csv)"), &TSweepPlotWindow::SaveCsvFile); });
    bar->addAction(Text("PNG保存..."), this,
                   [this] { AskAndSave(Text("PNG (*.png)"), &TSweepPlotWindow::SavePng); });
    bar->addAction(Text("SVG保存..."), this,
                   [this] { AskAndSave(Text("SVG (*.svg)"), &TSweepPlotWindow::SaveSvg); });
    bar->addSeparator();
    bar->addAction(Text("全体表示"), this, [this] { ResetZoom(); });
    if (FResult.IsAC) {
        auto* decibels = new QCheckBox(Text("dB表示"), bar);
        decibels->setObjectName(QStringLiteral("SweepDecibels"));
        decibels->setChecked(FDecibels);
        connect(decibels, &QCheckBox::toggled, this, [this](bool on) { SetDecibels(on); });
        bar->addWidget(decibels);
    }
    layout.addWidget(bar);
}

QChartView* TSweepPlotWindow::AddChart(const QString& title, const QString& axisTitle) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setProperty("axisTitle", axisTitle);
    auto* view = new QChartView(chart, FCharts);
    view->setRenderHint(QPainter::Antialiasing);
    view->setRubberBand(QChartView::RectangleRubberBand);
    view->setAccessibleName(title);
    view->setMouseTracking(true);
    view->viewport()->installEventFilter(this);
    FCharts->layout()->addWidget(view);
    FViews.push_back(view);
    return view;
}

double TSweepPlotWindow::Quantity(const TComplex& reading, int quantity) const {
    if (!FResult.IsAC) {
        return reading.re;
    }
    if (quantity == PhaseQuantity) {
        return PhaseDegrees(reading);
    }
    return FDecibels ? MagnitudeDB(reading) : std::hypot(reading.re, reading.im);
}

void TSweepPlotWindow::FillChart(QChart& chart, int quantity) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
    QAbstractAxis* x = nullptr;
    if (FResult.IsAC) {
        auto* log = new QLogValueAxis;
        log->setLabelFormat(QStringLiteral("%g"));
        log->setMinorTickCount(8);
        x = log;
    } else {
        x = new QValueAxis;
    }
    x->setTitleText(chart.property("axisTitle").toString());
    auto* y = new QValueAxis;
    if (FResult.IsAC && quantity == MagnitudeQuantity) {
        y->setTitleText(FDecibels ? QStringLiteral("dB") : Text("倍率"));
    }
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (std::size_t p = 0; p < FResult.Probes.size(); ++p) {
        auto* series = new QLineSeries;
        series->setName(QString::fromStdString(FResult.Probes[p].Label()));
        for (std::size_t k = 0; k < FResult.Values.size(); ++k) {
            const double value = Quantity(FResult.Readings[k][p], quantity);
            if (std::isfinite(value)) {
                series->append(FResult.Values[k], value);
                low = std::min(low, value);
                high = std::max(high, value);
            }
        }
        chart.addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    if (low <= high) {
        const double margin = high > low ? 0.05 * (high - low) : std::max(1.0, std::abs(low));
        y->setRange(low - margin, high + margin);
        y->applyNiceNumbers();
    }
    if (!FResult.Values.empty()) {
        const double first = FResult.Values.front();
        const double last = FResult.Values.back();
        x->setRange(first, last > first ? last : first * (FResult.IsAC ? 10.0 : 1.0) + 1.0);
    }
}

void TSweepPlotWindow::Replot() {
    for (std::size_t i = 0; i < FViews.size(); ++i) {
        FillChart(*FViews[i]->chart(), static_cast<int>(i));
    }
}

void TSweepPlotWindow::SetDecibels(bool decibels) {
    FDecibels = decibels;
    Replot();
}

void TSweepPlotWindow::ResetZoom() {
    for (QChartView* view : FViews) {
        view->chart()->zoomReset();
    }
}

std::size_t TSweepPlotWindow::NearestPoint(double x) const {
    std::size_t nearest = 0;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < FResult.Values.size(); ++k) {
        const double value = FResult.Values[k];
        const double distance = FResult.IsAC && x > 0 && value > 0 ? std::abs(std::log(value / x))
                                                                   : std::abs(value - x);
        if (distance < best) {
            best = distance;
            nearest = k;
        }
    }
    return nearest;
}

QString TSweepPlotWindow::ReadoutAt(double x) const {
    if (FResult.Values.empty()) {
        return {};
    }
    const std::size_t k = NearestPoint(x);
    QString text = QString::fromStdString(FResult.VariableName) + " = " + Number(FResult.Values[k]);
    for (std::size_t p = 0; p < FResult.Probes.size(); ++p) {
        const TComplex& reading = FResult.Readings[k][p];
        text += "    " + QString::fromStdString(FResult.Probes[p].Label()) + ": " +
                Number(Quantity(reading, MagnitudeQuantity));
        if (FResult.IsAC) {
            text += (FDecibels ? QStringLiteral(" dB, ") : QStringLiteral(", ")) +
                    Number(PhaseDegrees(reading)) + Text("°");
        }
    }
    return text;
}

bool TSweepPlotWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        for (QChartView* view : FViews) {
            if (view->viewport() == watched) {
                const QPointF scene = view->mapToScene(static_cast<QMouseEvent*>(event)->pos());
                const QPointF value = view->chart()->mapToValue(view->chart()->mapFromScene(scene));
                FReadout->setText(ReadoutAt(value.x()));
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TSweepPlotWindow::SaveCsv(const QString& path) const {
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    WriteSweepCsv(FResult, out);
    return static_cast<bool>(out.flush());
}

bool TSweepPlotWindow::SaveCsvFile(const QString& path) {
    return SaveCsv(path);
}

bool TSweepPlotWindow::SavePng(const QString& path) {
    return FCharts->grab().save(path, "PNG");
}

bool TSweepPlotWindow::SaveSvg(const QString& path) {
    QSvgGenerator generator;
    generator.setFileName(path);
    generator.setSize(FCharts->size());
    generator.setViewBox(QRect(QPoint(0, 0), FCharts->size()));
    generator.setTitle(windowTitle());
    QPainter painter;
    if (!painter.begin(&generator)) {
        return false;
    }
    FCharts->render(&painter);
    return painter.end();
}

void TSweepPlotWindow::AskAndSave(const QString& filter,
                                  bool (TSweepPlotWindow::*save)(const QString&)) {
    const QString path = QFileDialog::getSaveFileName(this, windowTitle(), QString(), filter);
    if (!path.isEmpty() && !(this->*save)(path)) {
        QMessageBox::information(this, windowTitle(), Text("ファイルに書き込めません: ") + path);
    }
}

} // namespace zaro::gui
