// IsolZoom: the chart window — mean sustained load, isolator distribution and
// variance charts of the results on display, in 2D or 3D bar or pie style.
#ifndef TAMSOR_ISOLZOOM_H
#define TAMSOR_ISOLZOOM_H

#include <cstdint>

#include <QDialog>

#include "charts/chart_content.h"

class QAction;
class QMenu;
class QMenuBar;

namespace tamsor {

class ChartWidget;
struct IsolDef;

class IsolZoom : public QDialog {
    Q_OBJECT

  public:
    // Reads the shared record and never writes it but for ZoomMeansShown.
    IsolZoom(IsolDef& isoldef, QWidget* owner);
    ~IsolZoom() override;

    // Loads the window afresh from its design settings, as an unloaded window
    // would be, and shows it modally; returns when it is closed.
    void showModal();

    // Procedures of the window.
    void Form_Load();
    void ShowGraph(std::int32_t& viewCode);
    void MeanLoadGraph();
    void DistributionGraph();
    void VarianceGraph();
    void MeanLoad_menu_Click();
    void IsolDistribution_menu_Click();
    void Variance_Menu_Click();
    void Bar2D_menu_Click();
    void pie2D_menu_Click();
    void pie3D_menu_Click();
    void bar3D_menu_Click();
    void Exit_Menu_Click();

  private:
    void buildMenus();
    void loadControls();
    void chooseStyle(ChartKind style);

    IsolDef& isoldef_;
    // The style last chosen from "View Options", 2D bar at every opening.
    ChartKind chosenStyle_ = ChartKind::kBar2D;

    QMenuBar* menuBar_ = nullptr;
    QAction* Exit_Menu = nullptr;
    QMenu* Option_menu = nullptr;
    QAction* MeanLoad_menu = nullptr;
    QAction* IsolDistribution_menu = nullptr;
    QAction* Variance_Menu = nullptr;
    QMenu* View_menu = nullptr;
    QAction* Bar2D_menu = nullptr;
    QAction* pie2D_menu = nullptr;
    QAction* pie3D_menu = nullptr;
    QAction* bar3D_menu = nullptr;

    QWidget* VideoSoftElastic1 = nullptr;
    ChartWidget* Graph1 = nullptr;  // variance chart
    ChartWidget* Graph2 = nullptr;  // mean load and isolator distribution charts
};

}  // namespace tamsor

#endif
