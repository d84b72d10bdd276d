// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_window/chart_window.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "charts/chart_widget.h"
#include "results/results_model.h"
#include "tamsor/figure_text.h"
#include "widgets/elastic_layout.h"

namespace tamsor {
namespace {

constexpr QSize kClientArea(7365, 5190);
// Centred with equal margins: designed 6855 and 6495 twips wide, the mean load
// chart ran 90 twips past the window's right edge.
constexpr QRect kChartArea(600, 480, 6165, 4215);

// Added to a chart's title when every figure was too wide for the report.
const QString kTooWideNote = QStringLiteral(": too wide for the report");

// Mean loads are no shares of a whole: under a pie style they are drawn as
// the matching bar style.
ChartKind barStyleFor(ChartKind style) {
    if (style == ChartKind::kPie2D) return ChartKind::kBar2D;
    if (style == ChartKind::kPie3D) return ChartKind::kBar3D;
    return style;
}

// The mean loads of the grouping into `types` types. A mean too wide for the
// report is left out; the others then carry their type numbers, and the
// title says why a chart is empty.
ChartContent meanLoadChart(const ResultsModel& m, int types, ChartKind style) {
    ChartContent chart{barStyleFor(style),
                       QStringLiteral("Mean Sustained Load"),
                       QStringLiteral("Isolator Type"),
                       {},
                       kMeanDecimals};
    const int d = types - 1;
    bool leftOut = false;
    for (int k = 0; k < types; ++k)
        leftOut = leftOut || m.PartMeanNotShown[d][k];
    for (int k = 0; k < types; ++k)
        if (!m.PartMeanNotShown[d][k])
            chart.points.append(
                ChartPoint{m.PartMean[d][k], leftOut ? QString::number(k + 1) : QString()});
    if (leftOut && chart.points.isEmpty()) chart.title += kTooWideNote;
    return chart;
}

ChartContent distributionChart(const ResultsModel& m, int types, ChartKind style) {
    ChartContent chart{
        style, QStringLiteral("Number of Isolators"), QStringLiteral("Isolator Types"), {}};
    for (int k = 0; k < types; ++k)
        chart.points.append(ChartPoint{static_cast<double>(m.PartCount[types - 1][k]), {}});
    return chart;
}

// The variance of the groupings into 2 types and more, labelled with their
// numbers of types, under the chart's design titles; one too wide for the
// report is left out, and when none is left, the title says why.
ChartContent varianceChart(const ResultsModel& m) {
    ChartContent chart{ChartKind::kLine,
                       QStringLiteral("Variance"),
                       QStringLiteral("Isolator Types"),
                       {},
                       kMeanDecimals};
    for (int d = 1; d < m.SetsReached; ++d)
        if (!m.SetVarianceNotShown[d])
            chart.points.append(ChartPoint{m.pooledVariance(d), QString::number(d + 1)});
    if (chart.points.isEmpty()) chart.title += kTooWideNote;
    return chart;
}

template <typename Value>
QAction* item(QMenu* menu, QActionGroup* group, const char* caption, const char* name,
              Value value) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setData(static_cast<int>(value));
    group->addAction(action);
    return action;
}

}  // namespace

ChartWindow::ChartWindow(const ResultsModel& model, QWidget* owner)
    : QDialog(owner), model_(model) {
    setObjectName(QStringLiteral("IsolZoom"));
    setWindowTitle(QStringLiteral("ISOLZOOM"));
    if (owner != nullptr) setWindowIcon(owner->windowIcon());
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    menuBar_ = new QMenuBar(this);
    layout->setMenuBar(menuBar_);
    buildMenus();
    chartArea_ = new QWidget(this);
    chartArea_->setObjectName(QStringLiteral("VideoSoftElastic1"));
    chartArea_->setLayout(new ElasticLayout(kClientArea));
    layout->addWidget(chartArea_);
}

ChartWindow::~ChartWindow() = default;

// The menus as designed: no item has a check mark or a shortcut.
void ChartWindow::buildMenus() {
    QAction* exit = menuBar_->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("Exit_Menu"));
    connect(exit, &QAction::triggered, this, &ChartWindow::Exit_Menu_Click);

    QMenu* options = menuBar_->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("Option_menu"));
    auto* charts = new QActionGroup(this);
    item(options, charts, "Sustained Load", "MeanLoad_menu", ZoomChart::kMeanLoad);
    item(options, charts, "Isolator Distribution", "IsolDistribution_menu",
         ZoomChart::kDistribution);
    item(options, charts, "Variance", "Variance_Menu", ZoomChart::kVariance);
    connect(charts, &QActionGroup::triggered, this, &ChartWindow::Option_menu_Click);

    viewMenu_ = menuBar_->addMenu(QStringLiteral("View Options"));
    viewMenu_->setObjectName(QStringLiteral("View_menu"));
    auto* styles = new QActionGroup(this);
    item(viewMenu_, styles, "2D Bar", "Bar2D_menu", ChartKind::kBar2D);
    pie2DItem_ = item(viewMenu_, styles, "2D pie", "pie2D_menu", ChartKind::kPie2D);
    pie3DItem_ = item(viewMenu_, styles, "3D pie", "pie3D_menu", ChartKind::kPie3D);
    item(viewMenu_, styles, "3D Bar", "bar3D_menu", ChartKind::kBar3D);
    connect(styles, &QActionGroup::triggered, this, &ChartWindow::View_menu_Click);
}

void ChartWindow::setDataFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    setWindowTitle(name.isEmpty() ? QStringLiteral("ISOLZOOM")
                                  : QStringLiteral("ISOLZOOM \u2013 ") + name);
}

void ChartWindow::setShownTypes(int types) {
    shownTypes_ = types;
}

// Fresh charts and menu states from the design settings, as when the window
// is loaded again after being closed.
void ChartWindow::loadControls() {
    delete varianceChart_;
    delete loadChart_;
    auto* elastic = static_cast<ElasticLayout*>(chartArea_->layout());
    loadChart_ = new ChartWidget;
    loadChart_->setObjectName(QStringLiteral("Graph2"));
    varianceChart_ = new ChartWidget;
    varianceChart_->setObjectName(QStringLiteral("Graph1"));
    elastic->addWidget(loadChart_, kChartArea);
    elastic->addWidget(varianceChart_, kChartArea);
    chosenStyle_ = ChartKind::kBar2D;
    for (QAction* action : menuBar_->findChildren<QAction*>())
        action->setEnabled(true);
}

void ChartWindow::showModal(ZoomChart chart) {
    loadControls();
    Form_Load();
    showChart(chart);
    exec();
}

void ChartWindow::Form_Load() {
    setWindowState(windowState() | Qt::WindowMaximized);
    graph2Chart_ = ZoomChart::kMeanLoad;
}

void ChartWindow::showChart(ZoomChart chart) {
    if (chart == ZoomChart::kVariance) return VarianceGraph();
    graph2Chart_ = chart;
    if (chart == ZoomChart::kMeanLoad)
        MeanLoadGraph();
    else
        DistributionGraph();
}

// A number of types that the run did not reach has no grouping to chart.
void ChartWindow::MeanLoadGraph() {
    const int types = model_.reached(shownTypes_) ? shownTypes_ : 0;
    showOnGraph2(meanLoadChart(model_, types, chosenStyle_), false);
}

void ChartWindow::DistributionGraph() {
    const int types = model_.reached(shownTypes_) ? shownTypes_ : 0;
    showOnGraph2(distributionChart(model_, types, chosenStyle_), true);
}

void ChartWindow::showOnGraph2(const ChartContent& chart, bool piesOffered) {
    viewMenu_->menuAction()->setEnabled(true);
    pie2DItem_->setEnabled(piesOffered);
    pie3DItem_->setEnabled(piesOffered);
    varianceChart_->setVisible(false);
    loadChart_->setVisible(true);
    loadChart_->showChart(chart);
}

void ChartWindow::VarianceGraph() {
    loadChart_->setVisible(false);
    varianceChart_->setVisible(true);
    viewMenu_->menuAction()->setEnabled(false);
    varianceChart_->showChart(varianceChart(model_));
}

void ChartWindow::Option_menu_Click(QAction* item) {
    showChart(static_cast<ZoomChart>(item->data().toInt()));
}

void ChartWindow::View_menu_Click(QAction* item) {
    chosenStyle_ = static_cast<ChartKind>(item->data().toInt());
    showChart(graph2Chart_);
}

void ChartWindow::Exit_Menu_Click() {
    close();
}

}  // namespace tamsor
