#include "main_window/main_window.h"

#include <QAction>
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
#include "widgets/canvas.h"
#include "widgets/elastic_layout.h"
#include "widgets/results_table.h"

namespace tamsor {
namespace {

// The window as designed, in twips (1/1440 inch). The technique frame holds
// a third option, "Optimal", one option step (360) below "Method2"; the
// variance plot below it gives up that height, keeping its gap to the frame
// (108) and its bottom edge above the table.
constexpr QSize kClientArea(7950, 5475);
constexpr QSize kLoadPlotArea(4092, 3252);
constexpr QSize kVariancePlotArea(3132, 1332);
constexpr QSize kFrameArea(1692, 1452);

const QString kGridFormat = QStringLiteral("^ Partition|^ Number |^  Mean      |^ Variance  ");

template <typename Control>
Control* named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

}  // namespace

ISOLMAIN::ISOLMAIN(IsolDef& isoldef, EngineBinding& engine, DesktopServices& services,
                   QWidget* parent)
    : QMainWindow(parent), isoldef_(isoldef), engine_(engine), services_(services) {
    setObjectName(QStringLiteral("ISOLMAIN"));
    setWindowTitle(QStringLiteral("TAMSOR"));
    setWindowIcon(applicationIcon());
    setAcceptDrops(true);
    buildControls();
    buildMenus();
    connectEvents();
    arrangeTabOrder();
    Form_Load();
}

ISOLMAIN::~ISOLMAIN() = default;

void ISOLMAIN::buildControls() {
    VideoSoftElastic1 = named(new QWidget(this), "VideoSoftElastic1");
    auto* elastic = new ElasticLayout(kClientArea);
    VideoSoftElastic1->setLayout(elastic);
    setCentralWidget(VideoSoftElastic1);

    // The plots are pictures to a screen reader: their names say what they show.
    Picture1 = named(new Canvas(kLoadPlotArea), "Picture1");
    Picture1->setAccessibleName(QStringLiteral("Load plot"));
    Picture1->setAccessibleDescription(
        QStringLiteral("The sustained loads in ascending order, with the start and the mean load "
                       "of each partition"));
    Command2 = named(new QPushButton(QStringLiteral("Zoom")), "Command2");
    Picture1->addChild(Command2, QRect(3480, 0, 612, 252));
    elastic->addWidget(Picture1, QRect(240, 120, 4092, 3252));

    Frame1 = named(new QGroupBox(QStringLiteral("Solution Technique:")), "Frame1");
    auto* frameLayout = new ElasticLayout(kFrameArea);
    Frame1->setLayout(frameLayout);
    Option1[0] = named(new QRadioButton(QStringLiteral("Method 1")), "Option1_0");
    Option1[1] = named(new QRadioButton(QStringLiteral("Method2")), "Option1_1");
    Option1[2] = named(new QRadioButton(QStringLiteral("Optimal")), "Option1_2");
    frameLayout->addWidget(Option1[0], QRect(120, 360, 1332, 252));
    frameLayout->addWidget(Option1[1], QRect(120, 720, 1092, 252));
    frameLayout->addWidget(Option1[2], QRect(120, 1080, 1092, 252));
    Option1[0]->setChecked(true);
    elastic->addWidget(Frame1, QRect(QPoint(4560, 120), kFrameArea));

    Command1 = named(new QPushButton(QStringLiteral("Calculate")), "Command1");
    elastic->addWidget(Command1, QRect(6360, 240, 1332, 972));

    Picture2 = named(new Canvas(kVariancePlotArea), "Picture2");
    Picture2->setAccessibleName(QStringLiteral("Variance plot"));
    Picture2->setAccessibleDescription(
        QStringLiteral("The pooled variance against the number of partitions, 2 to 8"));
    Command3 = named(new QPushButton(QStringLiteral("Zoom")), "Command3");
    Picture2->addChild(Command3, QRect(2520, 0, 612, 252));
    elastic->addWidget(Picture2, QRect(QPoint(4560, 1680), kVariancePlotArea));

    HScroll1 = named(new QScrollBar(Qt::Horizontal), "HScroll1");
    HScroll1->setRange(1, 8);
    HScroll1->setValue(1);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    // A tab stop, as designed. Like a slider, Right, Up and the wheel turned up
    // give more partitions (a scroll bar's own setting turns Left and Right round).
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    HScroll1->setInvertedControls(false);
    elastic->addWidget(HScroll1, QRect(480, 3840, 3612, 252));

    MSFlexGrid1 = named(new ResultsTable(9, kGridFormat), "MSFlexGrid1");
    MSFlexGrid1->setAccessibleName(QStringLiteral("Results"));
    elastic->addWidget(MSFlexGrid1, QRect(4560, 3240, 3135, 2175));

    Label1 = named(new QLabel(QStringLiteral("No. of Partitions:")), "Label1");
    Label2 = named(new QLabel(QStringLiteral("1")), "Label2");
    Label3 = named(new QLabel(QStringLiteral("8")), "Label3");
    Label4 = named(new QLabel(QStringLiteral(
                       "TAMSOR groups the isolators of a seismically isolated building into "
                       "isolator types of similar sustained load. Partition engine VORBECK1.")),
                   "Label4");
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);
    elastic->addWidget(Label1, QRect(240, 3480, 1335, 255));
    elastic->addWidget(Label2, QRect(480, 4200, 252, 252));
    elastic->addWidget(Label3, QRect(3720, 4200, 255, 255));
    elastic->addWidget(Label4, QRect(240, 4680, 4095, 735));
    Label1->setBuddy(HScroll1);
}

void ISOLMAIN::buildMenus() {
    File_menu = named(menuBar()->addMenu(QStringLiteral("&File")), "File_menu");
    FOpen_menu = named(File_menu->addAction(QStringLiteral("&Open")), "FOpen_menu");
    FOpen_menu->setShortcut(QKeySequence::Open);
    Exit_menu = named(File_menu->addAction(QStringLiteral("E&xit")), "Exit_menu");
    buildScheduleMenu();
}

void ISOLMAIN::connectEvents() {
    connect(FOpen_menu, &QAction::triggered, this, &ISOLMAIN::FOpen_menu_Click);
    connect(Exit_menu, &QAction::triggered, this, &ISOLMAIN::Exit_Menu_Click);
    for (int index = 0; index < static_cast<int>(Option1.size()); ++index) {
        connect(Option1[index], &QRadioButton::toggled, this, [this, index](bool selected) {
            if (selected) Option1_Click(index);
        });
    }
    connect(Command1, &QPushButton::clicked, this, &ISOLMAIN::Command1_Click);
    connect(HScroll1, &QScrollBar::valueChanged, this, &ISOLMAIN::HScroll1_Change);
    connect(Command2, &QPushButton::clicked, this, &ISOLMAIN::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &ISOLMAIN::Command3_Click);
}

void ISOLMAIN::arrangeTabOrder() {
    // The designed tab order: table, scroll bar, variance plot and its Zoom,
    // Calculate, the techniques from the bottom up, load plot and its Zoom.
    QWidget* const order[] = {MSFlexGrid1, HScroll1,   Command3,   Command1,
                              Option1[2],  Option1[1], Option1[0], Command2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // The techniques are one tab stop, the option that last had the focus,
    // as Qt keeps it for exclusive buttons; the arrow keys move among them.
    // Until one has had the focus, Tab enters them at the one chosen.
    for (QRadioButton* option : Option1)
        if (!option->isChecked()) option->setFocusPolicy(Qt::ClickFocus);
}

}  // namespace tamsor
