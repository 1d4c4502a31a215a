#pragma once
// The plot of a sweep: magnitude and phase against a logarithmic frequency
// axis (AC), or each meter against the swept variable (DC). A legend names
// each series by its meter, the read-out follows the mouse, a dragged
// rectangle zooms in (right click or "全体表示" back out), and the data can be
// saved as CSV and the picture as PNG or SVG.

#include "Sweep.h"

#include <QWidget>

#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QVBoxLayout;

class QChart;
class QChartView;

namespace zaro::gui {

class TSweepPlotWindow : public QWidget {
    Q_OBJECT

public:
    explicit TSweepPlotWindow(TSweepResult result, QWidget* parent = nullptr);

    const TSweepResult& Result() const { return FResult; }
    // Magnitude in dB (default) or as the plain ratio.
    void SetDecibels(bool decibels);
    bool Decibels() const { return FDecibels; }

    // The read-out for the point nearest to the swept value x.
    QString ReadoutAt(double x) const;
    QLabel* Readout() const { return FReadout; }
    const std::vector<QChartView*>& Views() const { return FViews; }

    // False, with nothing written, when the file cannot be written.
    bool SaveCsv(const QString& path) const;
    bool SaveCsvFile(const QString& path);
    bool SavePng(const QString& path);
    bool SaveSvg(const QString& path);
    void ResetZoom();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolBar(QVBoxLayout& layout);
    QChartView* AddChart(const QString& title, const QString& axisTitle);
    void Replot();
    void FillChart(QChart& chart, int quantity);
    double Quantity(const TComplex& reading, int quantity) const;
    std::size_t NearestPoint(double x) const;
    void AskAndSave(const QString& filter, bool (TSweepPlotWindow::*save)(const QString&));

    TSweepResult FResult;
    bool FDecibels = true;
    QWidget* FCharts = nullptr;
    std::vector<QChartView*> FViews;
    QLabel* FReadout = nullptr;
};

} // namespace zaro::gui
