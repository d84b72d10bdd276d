#include "isolzoom.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "chart_control.h"
#include "elastic_layout.h"
#include "isoldef.h"

namespace tamsor {
namespace {

constexpr QSize kClientArea(7365, 5190);
// Centred with equal margins: designed 6855 and 6495 twips wide, the mean load
// chart ran 90 twips past the window's right edge.
constexpr QRect kMeanChartArea(600, 480, 6165, 4215);
constexpr QRect kVarianceChartArea(600, 480, 6165, 4215);

constexpr std::int32_t kPie2D = 1;
constexpr std::int32_t kPie3D = 2;
constexpr std::int32_t kBar2D = 3;
constexpr std::int32_t kBar3D = 4;
constexpr std::int32_t kVarianceLine = 6;

QVariant integer16(int value) {
    return QVariant::fromValue<qint16>(static_cast<qint16>(value));
}
QVariant integer32(std::int32_t value) {
    return QVariant::fromValue<qint32>(value);
}

QAction* named(QAction* action, const char* name) {
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// Starts one data set of `points` points with its titles.
void start_chart(ChartControl& chart, int points, const QString& title,
                 const QString& bottomTitle) {
    chart.assign(kChartDataSetCount, integer16(1));
    chart.assign(kChartCurrentDataSet, integer16(1));
    chart.assign(kChartPointCount, integer16(points));
    chart.assign(kChartTitle, title);
    chart.assign(kChartBottomTitle, bottomTitle);
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
    Graph2 = new ChartControl({ChartType::kBar2D, QStringLiteral("Mean Sustained Load"),
                               QStringLiteral("Isolator Type")});
    Graph2->setObjectName(QStringLiteral("Graph2"));
    Graph1 = new ChartControl(
        {ChartType::kLine, QStringLiteral("Variance"), QStringLiteral("Isolator Types")});
    Graph1->setObjectName(QStringLiteral("Graph1"));
    elastic->addWidget(Graph2, kMeanChartArea);
    elastic->addWidget(Graph1, kVarianceChartArea);
    chosenStyle_ = kBar2D;
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
    isoldef_.ZoomMeansShown = kTrue;
    std::int32_t viewCode = isoldef_.ZoomMeanChart != 0 ? 1 : 0;
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
    // Mean loads are no shares of a whole: under a pie style they are drawn
    // as the matching bar style.
    if (chosenStyle_ == kPie2D) showStyleFor(kBar2D);
    if (chosenStyle_ == kPie3D) showStyleFor(kBar3D);
    start_chart(*Graph2, n, QStringLiteral("Mean Sustained Load"), QStringLiteral("Isolator Type"));
    for (int i = 1; i <= n; ++i) {
        Graph2->assign(kChartCurrentPoint, integer16(i));
        Graph2->assign(kChartValue, QVariant::fromValue<float>(isoldef_.PartMean(n - 1, i - 1)));
    }
    Graph2->assign(kChartDraw, integer32(kChartDrawNow));
}

void IsolZoom::DistributionGraph() {
    const int n = isoldef_.ShownPartitions;
    View_menu->menuAction()->setEnabled(true);
    pie2D_menu->setEnabled(true);
    pie3D_menu->setEnabled(true);
    Graph1->setVisible(false);
    Graph2->setVisible(true);
    showStyleFor(chosenStyle_);
    start_chart(*Graph2, n, QStringLiteral("Number of Isolators"),
                QStringLiteral("Isolator Types"));
    for (int i = 1; i <= n; ++i) {
        Graph2->assign(kChartCurrentPoint, integer16(i));
        Graph2->assign(kChartValue, integer32(isoldef_.PartCount(i - 1)));
    }
    Graph2->assign(kChartDraw, integer32(kChartDrawNow));
}

void IsolZoom::VarianceGraph() {
    Graph2->setVisible(false);
    Graph1->setVisible(true);
    View_menu->menuAction()->setEnabled(false);
    Graph1->assign(kChartDataSetCount, integer16(1));
    Graph1->assign(kChartCurrentDataSet, integer16(1));
    Graph1->assign(kChartPointCount, integer16(7));
    Graph1->assign(kChartType, integer32(kVarianceLine));
    for (int i = 1; i <= 7; ++i) {
        Graph1->assign(kChartCurrentPoint, integer16(i));
        // Undoes the normalisation: the variance as the engine wrote it.
        const float variance = isoldef_.SetVariance(i) * isoldef_.SetVarianceMax;
        Graph1->assign(kChartValue, QVariant::fromValue<float>(variance));
        Graph1->assign(kChartCurrentPoint, integer16(i));
        Graph1->assign(kChartLabel, integer16(i + 1));
    }
    Graph1->assign(kChartDraw, integer32(kChartDrawNow));
}

void IsolZoom::MeanLoad_menu_Click() {
    isoldef_.ZoomMeansShown = kTrue;
    MeanLoadGraph();
}

void IsolZoom::IsolDistribution_menu_Click() {
    isoldef_.ZoomMeansShown = kFalse;
    DistributionGraph();
}

void IsolZoom::Variance_Menu_Click() {
    std::int32_t viewCode = 0;
    ShowGraph(viewCode);
}

void IsolZoom::Bar2D_menu_Click() {
    chooseStyle(kBar2D);
}
void IsolZoom::pie2D_menu_Click() {
    chooseStyle(kPie2D);
}
void IsolZoom::pie3D_menu_Click() {
    chooseStyle(kPie3D);
}
void IsolZoom::bar3D_menu_Click() {
    chooseStyle(kBar3D);
}

void IsolZoom::Exit_Menu_Click() {
    close();
}

// A style command: the chart type of Graph2, then the current chart drawn
// again, completely, in the new style.
void IsolZoom::chooseStyle(std::int32_t chartType) {
    chosenStyle_ = chartType;
    Graph2->assign(kChartType, integer32(chartType));
    if (isoldef_.ZoomMeansShown != 0)
        MeanLoadGraph();
    else
        DistributionGraph();
}

// Sets Graph2's chart type only where it differs from the one to show.
void IsolZoom::showStyleFor(std::int32_t chartType) {
    if (static_cast<std::int32_t>(Graph2->content().type) != chartType)
        Graph2->assign(kChartType, integer32(chartType));
}

}  // namespace tamsor
