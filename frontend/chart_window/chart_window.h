// SPDX-License-Identifier: GPL-3.0-or-later
// IsolZoom: the chart window — mean sustained load, isolator distribution and
// variance charts of the results on display, the first two in 2D or 3D bar
// or pie style. Modal; it reads the results model and never writes it.
#ifndef TAMSOR_CHART_WINDOW_H
#define TAMSOR_CHART_WINDOW_H

#include <QDialog>

#include "charts/chart_content.h"

class QAction;
class QMenu;
class QMenuBar;

namespace tamsor {

class ChartWidget;
struct ResultsModel;

// The charts of the window: the Zoom on the load plot opens it on the mean
// loads, the one on the variance plot on the variance.
enum class ZoomChart { kMeanLoad, kDistribution, kVariance };

class ChartWindow : public QDialog {
    Q_OBJECT

  public:
    // Reads `model`, which must outlive the window.
    ChartWindow(const ResultsModel& model, QWidget* owner);
    ~ChartWindow() override;

    // The number of types on display in the main window, whose grouping the
    // mean load and distribution charts show; 0 before any.
    void setShownTypes(int types);

    // The chosen data file, which the caption names: "ISOLZOOM – NAME.DAT".
    void setDataFile(const QString& path);

    // Loads the window afresh from its design settings, as an unloaded window
    // would be, shows `chart` modally and returns when the window is closed.
    void showModal(ZoomChart chart);

    // Procedures of the window.
    void Form_Load();
    void MeanLoadGraph();
    void DistributionGraph();
    void VarianceGraph();
    void Option_menu_Click(QAction* item);  // a chart
    void View_menu_Click(QAction* item);    // a style, the current chart drawn again in it
    void Exit_Menu_Click();

  private:
    void buildMenus();
    void loadControls();
    void showChart(ZoomChart chart);
    void showOnGraph2(const ChartContent& chart, bool piesOffered);

    const ResultsModel& model_;
    int shownTypes_ = 0;
    // What Graph2 shows, mean loads or isolator counts: what a style redraws.
    ZoomChart graph2Chart_ = ZoomChart::kMeanLoad;
    // The style last chosen from "View Options", 2D bar at every opening.
    ChartKind chosenStyle_ = ChartKind::kBar2D;

    QMenuBar* menuBar_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QAction* pie2DItem_ = nullptr;
    QAction* pie3DItem_ = nullptr;
    QWidget* chartArea_ = nullptr;
    ChartWidget* varianceChart_ = nullptr;  // Graph1
    ChartWidget* loadChart_ = nullptr;      // Graph2: mean loads and isolator counts
};

}  // namespace tamsor

#endif
