// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/main_window.h"

#include <iterator>

#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "app/app_icon.h"
#include "chart_window/chart_window.h"
#include "main_window/example_files.h"
#include "main_window/main_window_settings.h"
#include "main_window/spread_figures_label.h"
#include "main_window/tolerance_controls.h"
#include "results/results_model.h"
#include "results/results_table.h"
#include "schedule_window/schedule_window.h"
#include "widgets/canvas.h"
#include "widgets/elastic_layout.h"

namespace tamsor {
namespace {

// The window as designed, in twips (1/1440 inch). The technique frame holds
// one option per technique, each one option step (360) below the one before;
// the variance plot below it gives up the height that the frame grew by,
// keeping its gap to the frame (108) and its bottom edge above the table.
// Below the table, the spread figures and the fewest types within the
// tolerance take two more lines (660).
constexpr QSize kClientArea(7950, 6135);
constexpr QSize kLoadPlotArea(4092, 3252);
constexpr QSize kVariancePlotArea(3132, 972);
constexpr QSize kFrameArea(1692, 1812);
// Where the option of each technique sits in the frame, in the order of the
// technique table.
constexpr QRect kOptionPlaces[] = {
    {120, 360, 1332, 252},
    {120, 720, 1092, 252},
    {120, 1080, 1092, 252},
    {120, 1440, 1332, 252},
};
static_assert(std::size(kOptionPlaces) == std::size(kTechniques), "a place for every technique");

template <typename Control>
Control* named(Control* control, const QString& name) {
    control->setObjectName(name);
    return control;
}

}  // namespace

MainWindow::MainWindow(ResultsModel& model, EngineBinding& engine, DesktopServices& services,
                       QWidget* parent)
    : QMainWindow(parent), model_(model), engine_(engine), services_(services) {
    setObjectName(QStringLiteral("ISOLMAIN"));
    setWindowIcon(applicationIcon());
    setAcceptDrops(true);
    model_.LoadUnit = rememberedLoadUnit();
    examplesFolder_ = examplesFolderOfProgram(QCoreApplication::applicationDirPath());
    documentsFolder_ = documentsFolder();
    buildControls();
    buildMenus();
    buildCalculateKeys();
    arrangeTabOrder();
    showCaptions();
    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    auto* client = named(new QWidget(this), "VideoSoftElastic1");
    auto* elastic = new ElasticLayout(kClientArea);
    client->setLayout(elastic);
    setCentralWidget(client);

    // The plots are pictures to a screen reader: their names say what they show.
    loadPlot_ = named(new Canvas(kLoadPlotArea), "Picture1");
    loadPlot_->setAccessibleName(QStringLiteral("Load plot"));
    loadPlot_->setAccessibleDescription(
        QStringLiteral("The sustained loads in ascending order, with the start and the mean load "
                       "of each partition"));
    loadZoomButton_ = named(new QPushButton(QStringLiteral("Zoom")), "Command2");
    loadPlot_->addChild(loadZoomButton_, QRect(3480, 0, 612, 252));
    elastic->addWidget(loadPlot_, QRect(240, 120, 4092, 3252));
    connect(loadZoomButton_, &QPushButton::clicked, this, &MainWindow::Command2_Click);

    elastic->addWidget(buildTechniqueFrame(), QRect(QPoint(4560, 120), kFrameArea));

    calculateButton_ = named(new QPushButton(QStringLiteral("Calculate")), "Command1");
    calculateButton_->setToolTip(QStringLiteral("Calculate (Enter, F5)"));
    elastic->addWidget(calculateButton_, QRect(6360, 240, 1332, 972));
    connect(calculateButton_, &QPushButton::clicked, this, &MainWindow::Command1_Click);

    variancePlot_ = named(new Canvas(kVariancePlotArea), "Picture2");
    variancePlot_->setAccessibleName(QStringLiteral("Variance plot"));
    variancePlot_->setAccessibleDescription(
        QStringLiteral("The pooled variance against the number of partitions, 2 to %1")
            .arg(kMaxShownTypes));
    varianceZoomButton_ = named(new QPushButton(QStringLiteral("Zoom")), "Command3");
    variancePlot_->addChild(varianceZoomButton_, QRect(2520, 0, 612, 252));
    elastic->addWidget(variancePlot_, QRect(QPoint(4560, 2040), kVariancePlotArea));
    connect(varianceZoomButton_, &QPushButton::clicked, this, &MainWindow::Command3_Click);

    scrollBar_ = named(new QScrollBar(Qt::Horizontal), "HScroll1");
    scrollBar_->setRange(1, kMaxShownTypes);
    scrollBar_->setPageStep(1);
    // A tab stop, as designed. Like a slider, Right, Up and the wheel turned up
    // give more partitions (a scroll bar's own setting turns Left and Right round).
    scrollBar_->setFocusPolicy(Qt::StrongFocus);
    scrollBar_->setInvertedControls(false);
    elastic->addWidget(scrollBar_, QRect(480, 3840, 3612, 252));
    connect(scrollBar_, &QScrollBar::valueChanged, this, &MainWindow::HScroll1_Change);

    resultsTable_ = named(new ResultsTable(model_), "MSFlexGrid1");
    resultsTable_->setAccessibleName(QStringLiteral("Results"));
    elastic->addWidget(resultsTable_, QRect(4560, 3240, 3135, 2175));

    auto* scrollTitle = named(new QLabel(QStringLiteral("No. of Partitions:")), "Label1");
    scrollTitle->setBuddy(scrollBar_);
    auto* fewest = named(new QLabel(QStringLiteral("1")), "Label2");
    auto* most = named(new QLabel(QString::number(kMaxShownTypes)), "Label3");
    auto* about =
        named(new QLabel(QStringLiteral(
                  "TAMSOR groups the isolators of a seismically isolated building into "
                  "isolator types of similar sustained load. Partition engine VORBECK1.")),
              "Label4");
    about->setWordWrap(true);
    about->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fewest->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    most->setAlignment(Qt::AlignRight | Qt::AlignTop);
    elastic->addWidget(scrollTitle, QRect(240, 3480, 1335, 255));
    elastic->addWidget(fewest, QRect(480, 4200, 252, 252));
    elastic->addWidget(most, QRect(3720, 4200, 255, 255));
    // How many types the scroll bar picks, between its ends.
    typesLabel_ = named(new QLabel, "TypesShown");
    typesLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    elastic->addWidget(typesLabel_, QRect(840, 4200, 2760, 255));
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this] { showTypesLabel(); });
    showTypesLabel();
    elastic->addWidget(about, QRect(240, 4680, 4095, 735));
    buildSpreadControls(elastic);
}

// The tolerance field under Calculate, beside the techniques; the spread
// figures and the fewest types within the tolerance under the table.
void MainWindow::buildSpreadControls(ElasticLayout* elastic) {
    toleranceField_ = new ToleranceField;
    elastic->addWidget(toleranceField_, QRect(6360, 1380, 1332, 612));
    spreadFigures_ = new SpreadFiguresLabel(model_);
    elastic->addWidget(spreadFigures_, QRect(4560, 5475, 3135, 252));
    fewestTypes_ = new FewestTypesLine;
    elastic->addWidget(fewestTypes_, QRect(4560, 5775, 3135, 315));
    connect(this, &MainWindow::resultsShown, spreadFigures_, &SpreadFiguresLabel::showResults);
    connect(this, &MainWindow::shownTypesChanged, spreadFigures_, &SpreadFiguresLabel::showResults);
    connect(this, &MainWindow::resultsCleared, spreadFigures_, &SpreadFiguresLabel::clearResults);
    connect(this, &MainWindow::resultsCleared, fewestTypes_, &FewestTypesLine::clearResults);
    connect(toleranceField_, &ToleranceField::toleranceChanged, fewestTypes_,
            &FewestTypesLine::setTolerance);
    connect(fewestTypes_, &FewestTypesLine::typesChosen, scrollBar_, &QScrollBar::setValue);
}

// One option per technique of the technique table, its id the technique's;
// the one chosen last time, "Method 1" at the very first start.
QWidget* MainWindow::buildTechniqueFrame() {
    auto* frame = named(new QGroupBox(QStringLiteral("Solution Technique:")), "Frame1");
    auto* layout = new ElasticLayout(kFrameArea);
    frame->setLayout(layout);
    techniqueButtons_ = new QButtonGroup(this);
    for (const Technique& technique : kTechniques) {
        const int id = static_cast<int>(technique.id);
        auto* option = named(new QRadioButton(techniqueName(technique.id)),
                             QStringLiteral("Option1_%1").arg(id));
        techniqueButtons_->addButton(option, id);
        layout->addWidget(option, kOptionPlaces[id]);
    }
    techniqueButtons_->button(static_cast<int>(rememberedTechnique()))->setChecked(true);
    connect(techniqueButtons_, &QButtonGroup::idToggled, this, [this](int id, bool chosen) {
        if (chosen) Option1_Click(id);
    });
    return frame;
}

void MainWindow::buildMenus() {
    QMenu* file = named(menuBar()->addMenu(QStringLiteral("&File")), "File_menu");
    openItem_ = named(file->addAction(QStringLiteral("&Open")), "FOpen_menu");
    openItem_->setShortcut(QKeySequence::Open);
    connect(openItem_, &QAction::triggered, this, &MainWindow::FOpen_menu_Click);
    addImportItem(file);
    examplesMenu_ = named(file->addMenu(QStringLiteral("Open &Example")), "OpenExample_menu");
    showExamples();
    buildRecentFilesMenu(file);
    file->addSeparator();
    exitItem_ = named(file->addAction(QStringLiteral("E&xit")), "Exit_menu");
    connect(exitItem_, &QAction::triggered, this, &MainWindow::Exit_Menu_Click);

    QMenu* results = named(menuBar()->addMenu(QStringLiteral("&Results")), "Results_menu");
    scheduleItem_ =
        named(results->addAction(QStringLiteral("Isolator &Schedule...")), "Schedule_menu");
    scheduleItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(scheduleItem_, &QAction::triggered, this, &MainWindow::Schedule_menu_Click);
    buildUnitsMenu();
    buildHelpMenu();
}

void MainWindow::arrangeTabOrder() {
    // The designed tab order: table, scroll bar, variance plot and its Zoom,
    // Calculate, the techniques from the bottom up, load plot and its Zoom; then
    // the tolerance and the fewest types' Show.
    QList<QWidget*> order = {resultsTable_, scrollBar_, varianceZoomButton_, calculateButton_};
    const QList<QAbstractButton*> options = techniqueButtons_->buttons();
    for (auto option = options.rbegin(); option != options.rend(); ++option)
        order << *option;
    order << loadZoomButton_ << toleranceField_->field() << fewestTypes_->showButton();
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // The techniques are one tab stop, the option that last had the focus,
    // as Qt keeps it for exclusive buttons; the arrow keys move among them.
    // Until one has had the focus, Tab enters them at the one chosen.
    for (QAbstractButton* option : options)
        if (!option->isChecked()) option->setFocusPolicy(Qt::ClickFocus);
}

}  // namespace tamsor
