#include "chart_window/chart_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "charts/chart_widget.h"
#include "results/results_model.h"
#include "widgets/elastic_layout.h"

namespace tamsor {
namespace {

constexpr QSize kClientArea(7365, 5190);
// Centred with equal margins: designed 6855 and 6495 twips wide, the mean load
// chart ran 90 twips past the window's right edge.
constexpr QRect kMeanChartArea(600, 480, 6165, 4215);
constexpr QRect kVarianceChartArea(600, 480, 6165, 4215);

// Added to a chart's title when every figure was too wide for the report.
const QString kTooWideNote = QStringLiteral(": too wide for the report");

QAction* named(QAction* action, const char* name) {
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// Mean loads are no shares of a whole: under a pie style they are drawn as
// the matching bar style.
ChartKind barStyleFor(ChartKind style) {
    if (style == ChartKind::kPie2D) return ChartKind::kBar2D;
    if (style == ChartKind::kPie3D) return ChartKind::kBar3D;
    return style;
}

}  // namespace

IsolZoom::IsolZoom(IsolDef& isoldef, QWidget* owner) : QDialog(owner), isoldef_(isoldef) {
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
    VideoSoftElastic1 = new QWidget(this);
    VideoSoftElastic1->setObjectName(QStringLiteral("VideoSoftElastic1"));
    VideoSoftElastic1->setLayout(new ElasticLayout(kClientArea));
    layout->addWidget(VideoSoftElastic1);
}

IsolZoom::~IsolZoom() = default;

void IsolZoom::buildMenus() {
    Exit_Menu = named(menuBar_->addAction(QStringLiteral("Exit")), "Exit_Menu");
    Option_menu = menuBar_->addMenu(QStringLiteral("Options"));
    Option_menu->setObjectName(QStringLiteral("Option_menu"));
    MeanLoad_menu =
        named(Option_menu->addAction(QStringLiteral("Sustained Load")), "MeanLoad_menu");
    IsolDistribution_menu = named(Option_menu->addAction(QStringLiteral("Isolator Distribution")),
                                  "IsolDistribution_menu");
    Variance_Menu = named(Option_menu->addAction(QStringLiteral("Variance")), "Variance_Menu");
    View_menu = menuBar_->addMenu(QStringLiteral("View Options"));
    View_menu->setObjectName(QStringLiteral("View_menu"));
    Bar2D_menu = named(View_menu->addAction(QStringLiteral("2D Bar")), "Bar2D_menu");
    pie2D_menu = named(View_menu->addAction(QStringLiteral("2D pie")), "pie2D_menu");
    pie3D_menu = named(View_menu->addAction(QStringLiteral("3D pie")), "pie3D_menu");
    bar3D_menu = named(View_menu->addAction(QStringLiteral("3D Bar")), "bar3D_menu");

    connect(Exit_Menu, &QAction::triggered, this, &IsolZoom::Exit_Menu_Click);
    connect(MeanLoad_menu, &QAction::triggered, this, &IsolZoom::MeanLoad_menu_Click);
    connect(IsolDistribution_menu, &QAction::triggered, this,
            &IsolZoom::IsolDistribution_menu_Click);
    connect(Variance_Menu, &QAction::triggered, this, &IsolZoom::Variance_Menu_Click);
    connect(Bar2D_menu, &QAction::triggered, this, &IsolZoom::Bar2D_menu_Click);
    connect(pie2D_menu, &QAction::triggered, this, &IsolZoom::pie2D_menu_Click);
    connect(pie3D_menu, &QAction::triggered, this, &IsolZoom::pie3D_menu_Click);
    connect(bar3D_menu, &QAction::triggered, this, &IsolZoom::bar3D_menu_Click);
}

// Fresh charts and menu states from the design settings, as when the window
// is loaded again after being closed.
void IsolZoom::loadControls() {
    delete Graph1;
    delete Graph2;
    auto* elastic = static_cast<ElasticLayout*>(VideoSoftElastic1->layout());
    Graph2 = new ChartWidget;
    Graph2->setObjectName(QStringLiteral("Graph2"));
    Graph1 = new ChartWidget;
    Graph1->setObjectName(QStringLiteral("Graph1"));
    elastic->addWidget(Graph2, kMeanChartArea);
    elastic->addWidget(Graph1, kVarianceChartArea);
    chosenStyle_ = ChartKind::kBar2D;
    for (QAction* item : {Exit_Menu, MeanLoad_menu, IsolDistribution_menu, Variance_Menu,
                          Bar2D_menu, pie2D_menu, pie3D_menu, bar3D_menu, View_menu->menuAction()})
        item->setEnabled(true);
}

void IsolZoom::showModal() {
    loadControls();
    Form_Load();
    exec();
}

void IsolZoom::Form_Load() {
    setWindowState(windowState() | Qt::WindowMaximized);
    isoldef_.ZoomMeansShown = true;
    std::int32_t viewCode = isoldef_.ZoomMeanChart ? 1 : 0;
    ShowGraph(viewCode);
}

void IsolZoom::ShowGraph(std::int32_t& viewCode) {
    if (viewCode == 1)
        MeanLoadGraph();
    else if (viewCode == 0)
        VarianceGraph();
}

void IsolZoom::MeanLoadGraph() {
    const int n = isoldef_.ShownPartitions;
    View_menu->menuAction()->setEnabled(true);
    pie2D_menu->setEnabled(false);
    pie3D_menu->setEnabled(false);
    Graph1->setVisible(false);
    Graph2->setVisible(true);
    ChartContent chart{barStyleFor(chosenStyle_),
                       QStringLiteral("Mean Sustained Load"),
                       QStringLiteral("Isolator Type"),
                       {}};
    // A mean too wide for the report is left out; the others then carry
    // their type numbers, and the title says why a chart is empty.
    bool leftOut = false;
    for (int i = 1; i <= n; ++i)
        leftOut = leftOut || isoldef_.PartMeanNotShown[n - 1][i - 1];
    for (int i = 1; i <= n; ++i)
        if (!isoldef_.PartMeanNotShown[n - 1][i - 1])
            chart.points.append(ChartPoint{isoldef_.PartMean[n - 1][i - 1],
                                           leftOut ? QString::number(i) : QString()});
    if (leftOut && chart.points.isEmpty()) chart.title += kTooWideNote;
    Graph2->showChart(chart);
}

void IsolZoom::DistributionGraph() {
    const int n = isoldef_.ShownPartitions;
    View_menu->menuAction()->setEnabled(true);
    pie2D_menu->setEnabled(true);
    pie3D_menu->setEnabled(true);
    Graph1->setVisible(false);
    Graph2->setVisible(true);
    ChartContent chart{
        chosenStyle_, QStringLiteral("Number of Isolators"), QStringLiteral("Isolator Types"), {}};
    for (int i = 1; i <= n; ++i)
        chart.points.append(ChartPoint{static_cast<double>(isoldef_.PartCount[i - 1]), {}});
    Graph2->showChart(chart);
}

// The variance of the sets for 2 to 8 partitions, labelled with their
// partition counts, under the chart's design titles. A variance too wide for
// the report is left out; when none is left, the title says why.
void IsolZoom::VarianceGraph() {
    Graph2->setVisible(false);
    Graph1->setVisible(true);
    View_menu->menuAction()->setEnabled(false);
    ChartContent chart{
        ChartKind::kLine, QStringLiteral("Variance"), QStringLiteral("Isolator Types"), {}};
    for (int i = 1; i <= 7; ++i) {
        if (isoldef_.SetVarianceNotShown[i]) continue;
        // Undoes the normalisation: the variance as the engine wrote it.
        const float variance = isoldef_.SetVariance[i] * isoldef_.SetVarianceMax;
        chart.points.append(ChartPoint{variance, QString::number(i + 1)});
    }
    if (chart.points.isEmpty()) chart.title += kTooWideNote;
    Graph1->showChart(chart);
}

void IsolZoom::MeanLoad_menu_Click() {
    isoldef_.ZoomMeansShown = true;
    MeanLoadGraph();
}

void IsolZoom::IsolDistribution_menu_Click() {
    isoldef_.ZoomMeansShown = false;
    DistributionGraph();
}

void IsolZoom::Variance_Menu_Click() {
    std::int32_t viewCode = 0;
    ShowGraph(viewCode);
}

void IsolZoom::Bar2D_menu_Click() {
    chooseStyle(ChartKind::kBar2D);
}
void IsolZoom::pie2D_menu_Click() {
    chooseStyle(ChartKind::kPie2D);
}
void IsolZoom::pie3D_menu_Click() {
    chooseStyle(ChartKind::kPie3D);
}
void IsolZoom::bar3D_menu_Click() {
    chooseStyle(ChartKind::kBar3D);
}

void IsolZoom::Exit_Menu_Click() {
    close();
}

// A style command: the current chart of Graph2 drawn again, completely, in
// the new style.
void IsolZoom::chooseStyle(ChartKind style) {
    chosenStyle_ = style;
    if (isoldef_.ZoomMeansShown)
        MeanLoadGraph();
    else
        DistributionGraph();
}

}  // namespace tamsor
