// The editor's controls: names, captions, ranges and initial values.

#include "tceditor/Tceditor.h"

#include "tceditor/TcPictures.h"
#include "tceditor/TcWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orvik::tceditor {

namespace {

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QSlider* trackBar(const char* name, int minimum, int maximum)
{
    auto* bar = named(new QSlider(Qt::Horizontal), name);
    bar->setRange(minimum, maximum);
    bar->setValue(minimum);
    bar->setPageStep(1);
    bar->setTickPosition(QSlider::TicksBelow);
    return bar;
}

QLabel* valueLabel(const char* name)
{
    auto* label = named(new QLabel, name);
    label->setMinimumWidth(52);
    return label;
}

// A track bar with its caption in front and the label that shows its value behind.
QWidget* trackBarRow(const QString& caption, QSlider* bar, QLabel* value)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption);
    label->setFixedWidth(112);
    layout->addWidget(label);
    layout->addWidget(bar, 1);
    layout->addWidget(value);
    return row;
}

QLineEdit* integerEdit(const char* name, const QString& text)
{
    auto* edit = named(new QLineEdit(text), name);
    edit->setFixedWidth(70);
    return edit;
}

QBoxLayout* box(QBoxLayout* layout, std::initializer_list<QWidget*> widgets, bool stretch = true)
{
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    if (stretch)
        layout->addStretch(1);
    return layout;
}

// "Store parameters in" with its RAM and EEPROM boxes, the content of a UDPT sub-page.
QWidget* storageSubPage(const char* pageName, QCheckBox* ram, QCheckBox* eeprom)
{
    auto* page = named(new QWidget, pageName);
    auto* group = new QGroupBox(QStringLiteral("Store parameters in"));
    box(new QHBoxLayout(group), {ram, eeprom});
    box(new QVBoxLayout(page), {group});
    return page;
}

} // namespace

QWidget* TForm4::buildTelecommandsGroup()
{
    auto* group = named(new QGroupBox(QStringLiteral("Telecommands")), "GroupBox1");

    auto* available = named(new QGroupBox(QStringLiteral("List of availble TCs")), "GroupBox2");
    tcComboBox_ = named(new QComboBox, "TCComboBox");
    tcComboBox_->setToolTip(QStringLiteral("Pick a command!"));
    tcComboBox_->setMinimumWidth(110);
    tcEditButton_ = named(new QPushButton(QStringLiteral("Edit")), "TCEditButton");
    box(new QHBoxLayout(available), {tcComboBox_, tcEditButton_});

    // The panel's caption shows through while its picture is hidden.
    auto* panel8 = named(new QLabel(QStringLiteral("No TC")), "Panel8");
    panel8->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel8->setAlignment(Qt::AlignCenter);
    panel8->setFixedSize(76, 54);
    newTCImage_ = named(new QLabel(panel8), "NewTCImage");
    newTCImage_->setPixmap(tcpictures::telecommand());
    newTCImage_->setGeometry(8, 7, 60, 40);
    newTCImage_->setCursor(Qt::OpenHandCursor);
    newTCImage_->setContextMenuPolicy(Qt::CustomContextMenu);
    newTCImage_->hide();
    tcPopupMenu_ = named(new QMenu(this), "TCPopupMenu");
    named(tcPopupMenu_->addAction(QStringLiteral("Delete")), "Delete1");
    named(tcPopupMenu_->addAction(QStringLiteral("Save as...")), "Saveas1");

    tcPageControl1_ = named(new QTabWidget, "TCPageControl1");
    tcPageControl1_->addTab(buildSTSTPage(), QStringLiteral("STST"));
    tcPageControl1_->addTab(buildGIHKPage(), QStringLiteral("GIHK"));
    tcPageControl1_->addTab(buildCFGCPage(), QStringLiteral("CFGC"));
    tcPageControl1_->addTab(buildUDPTPage(), QStringLiteral("UDPT"));

    auto* top = new QHBoxLayout;
    top->addWidget(available, 1);
    top->addWidget(panel8, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(top);
    layout->addWidget(tcPageControl1_, 1);
    return group;
}

QWidget* TForm4::buildDropTargets()
{
    auto* targets = new QWidget;
    auto* layout = new QHBoxLayout(targets);
    layout->setContentsMargins(0, 0, 0, 0);
    const struct {
        QLabel** image;
        const char* name;
        QPixmap picture;
    } pictures[] = {
        {&image1_, "Image1", tcpictures::equipment(40)},
        {&image3_, "Image3", tcpictures::openFolder(40)},
        {&image2_, "Image2", tcpictures::wasteBin(40)},
    };
    for (const auto& p : pictures) {
        *p.image = named(new QLabel, p.name);
        (*p.image)->setPixmap(p.picture);
        (*p.image)->setAlignment(Qt::AlignCenter);
        (*p.image)->setFrameStyle(QFrame::Panel | QFrame::Raised);
        (*p.image)->setFixedSize(60, 56);
        layout->addWidget(*p.image);
    }
    layout->addStretch(1);
    return targets;
}

QWidget* TForm4::buildSTSTPage()
{
    auto* page = named(new QWidget, "STSTTabSheet");
    const char* const boxNames[] = {"MSCheckBox", "GCCheckBox",   "DPUCheckBox",
                                    "MMCheckBox", "OvenCheckBox", "TPSTCheckBox"};
    const char* const captions[] = {"MS", "GC", "DPU", "Mass Memory", "Oven", "Tapping Station"};
    auto* units = named(new QGroupBox, "STSTGroupBox");
    auto* unitGrid = new QGridLayout(units);
    for (int i = 0; i < 6; ++i) {
        selfTestBoxes_[size_t(i)] = named(new QCheckBox(QString::fromLatin1(captions[i])), boxNames[i]);
        unitGrid->addWidget(selfTestBoxes_[size_t(i)], i % 3, i / 3);
    }

    auto* mm = named(new QWidget, "STSTMMTabSheet");
    ststmmpage_ = trackBar("ststmmpage", 0, 31);
    mmpage_ = valueLabel("mmpage");
    ststmmnumpage_ = trackBar("ststmmnumpage", 1, 32);
    mmnumpages_ = valueLabel("mmnumpages");
    box(new QVBoxLayout(mm),
        {trackBarRow(QStringLiteral("Memory Page:"), ststmmpage_, mmpage_),
         trackBarRow(QStringLiteral("Number of pages:"), ststmmnumpage_, mmnumpages_)});

    auto* oven = named(new QWidget, "STSTOvenTabSheet");
    auto* terminal = new QGroupBox(QStringLiteral("Terminal"));
    ststovenmain_ = named(new QRadioButton(QStringLiteral("Main (GC)")), "ststovenmain");
    ststovenside_ = named(new QRadioButton(QStringLiteral("Side (MS)")), "ststovenside");
    ststovenmain_->setChecked(true);
    box(new QHBoxLayout(terminal), {ststovenmain_, ststovenside_});
    ststoventemp_ = integerEdit("ststoventemp", QString());
    ststoventemp_->setToolTip(QStringLiteral("Enter oven PWM value"));
    auto* temperature = new QWidget;
    box(new QHBoxLayout(temperature), {new QLabel(QStringLiteral("Temperature:")), ststoventemp_})
        ->setContentsMargins(0, 0, 0, 0);
    box(new QVBoxLayout(oven), {terminal, temperature});

    auto* tpst = named(new QWidget, "STSTTPSTTabSheet");
    auto* direction = new QGroupBox(QStringLiteral("Direction"));
    ststtpstdiron_ = named(new QRadioButton(QStringLiteral("CS1.D7 = 1")), "ststtpstdiron");
    ststtpstdiroff_ = named(new QRadioButton(QStringLiteral("CS1.D7 = 0")), "ststtpstdiroff");
    ststtpstdiron_->setChecked(true);
    box(new QHBoxLayout(direction), {ststtpstdiron_, ststtpstdiroff_});
    box(new QVBoxLayout(tpst), {direction});

    auto* dpu = named(new QWidget, "STSTDPUTabSheet");
    ststdpurampage_ = trackBar("ststdpurampage", 1, 7);
    ststdpupage_ = valueLabel("ststdpupage");
    box(new QVBoxLayout(dpu), {trackBarRow(QStringLiteral("RAM Page:"), ststdpurampage_, ststdpupage_)});

    ststPageControl_ = named(new QTabWidget, "STSTPageControl");
    ststPageControl_->addTab(mm, QStringLiteral("MM"));
    ststPageControl_->addTab(oven, QStringLiteral("Oven"));
    ststPageControl_->addTab(tpst, QStringLiteral("TPST"));
    ststPageControl_->addTab(dpu, QStringLiteral("DPU"));
    for (int i = 0; i < ststPageControl_->count(); ++i)
        ststPageControl_->setTabVisible(i, false);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(units);
    layout->addWidget(ststPageControl_, 1);
    return page;
}

QWidget* TForm4::buildGIHKPage()
{
    auto* page = named(new QWidget, "GIHKTabSheet");
    gihkpwrsw_ =
        named(new RadioGroup(QStringLiteral("Use power switches"), {QStringLiteral("Yes"), QStringLiteral("No")}, 2),
              "gihkpwrsw");
    box(new QVBoxLayout(page), {gihkpwrsw_});
    return page;
}

QWidget* TForm4::buildCFGCPage()
{
    auto* page = named(new QWidget, "CFGCTabSheet");
    cfgchetank_ =
        named(new RadioGroup(QStringLiteral("He tank select"), {QStringLiteral("Tank 1"), QStringLiteral("Tank 2")}, 2),
              "cfgchetank");
    cfgchetank_->setItemIndex(0);
    cfgcsamplesource_ =
        named(new RadioGroup(QStringLiteral("Sample source"),
                             {QStringLiteral("Calibration Gas"), QStringLiteral("Oven"), QStringLiteral("Tenax")}, 1),
              "cfgcsamplesource");
    cfgcsamplesource_->setItemIndex(0);
    auto* selections = new QHBoxLayout;
    selections->addWidget(cfgchetank_, 1, Qt::AlignTop);
    selections->addWidget(cfgcsamplesource_, 1);

    auto* columns = named(new QGroupBox(QStringLiteral("Columns")), "ColumnsGroupBox");
    auto* columnRows = new QVBoxLayout(columns);
    columnRows->setSpacing(0);
    for (int ch = 0; ch < 4; ++ch) {
        const QByteArray bar = "cfgccolumn" + QByteArray::number(ch + 1);
        const QByteArray label = "channel" + QByteArray::number(ch + 1);
        cfgccolumns_[size_t(ch)] = trackBar(bar.constData(), 0, 7);
        channels_[size_t(ch)] = valueLabel(label.constData());
        columnRows->addWidget(
            trackBarRow(QStringLiteral("Ch #%1").arg(ch + 1), cfgccolumns_[size_t(ch)], channels_[size_t(ch)]));
    }

    cfgchksweep_ = named(new QCheckBox(QStringLiteral("HK collection")), "cfgchksweep");
    cfgcduration_ = trackBar("cfgcduration", 1, 31);
    cfgcdurlabel_ = valueLabel("cfgcdurlabel");

    cfgcinjection_ = integerEdit("cfgcinjection", QStringLiteral("0"));
    cfgcinjection_->setContextMenuPolicy(Qt::CustomContextMenu);
    upDown2_ = named(new UpDown, "UpDown2");
    injectionPopupMenu_ = named(new QMenu(this), "InjectionPopupMenu");
    cfgcheadpressure_ = integerEdit("cfgcheadpressure", QStringLiteral("0"));
    upDown1_ = named(new UpDown, "UpDown1");
    upDown1_->bindTo(cfgcheadpressure_, 0, 255);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Time of injection:")), 0, 0);
    fields->addLayout(box(new QHBoxLayout, {cfgcinjection_, upDown2_, new QLabel(QStringLiteral("msec"))}), 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Head pressure:")), 1, 0);
    fields->addLayout(box(new QHBoxLayout, {cfgcheadpressure_, upDown1_}), 1, 1);
    fields->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(selections);
    layout->addWidget(columns);
    layout->addWidget(cfgchksweep_);
    layout->addWidget(trackBarRow(QStringLiteral("Duration:"), cfgcduration_, cfgcdurlabel_));
    layout->addLayout(fields);
    layout->addStretch(1);
    return page;
}

QWidget* TForm4::buildUDPTPage()
{
    auto* page = named(new QWidget, "UDPTTabSheet");
    auto* tappingStation = named(new QGroupBox(QStringLiteral("Tapping Station")), "UDPTTPSTGroupBox");
    udpttpstpos_ = named(new QCheckBox(QStringLiteral("Position values")), "udpttpstpos");
    udpttpstctrl_ = named(new QCheckBox(QStringLiteral("Control parameters")), "udpttpstctrl");
    box(new QVBoxLayout(tappingStation), {udpttpstpos_, udpttpstctrl_});
    auto* oven = named(new QCheckBox(QStringLiteral("Oven")), "udptoven");

    tpstposram_ = named(new QCheckBox(QStringLiteral("RAM")), "tpstposram");
    tpstposeeprom_ = named(new QCheckBox(QStringLiteral("EEPROM")), "tpstposeeprom");
    udpttpstctrlram_ = named(new QCheckBox(QStringLiteral("RAM")), "udpttpstctrlram");
    udpttpstctrleeprom_ = named(new QCheckBox(QStringLiteral("EEPROM")), "udpttpstctrleeprom");
    udptPageControl_ = named(new QTabWidget, "UDPTPageControl");
    udptPageControl_->addTab(storageSubPage("UDPTPositionTabSheet", tpstposram_, tpstposeeprom_),
                             QStringLiteral("TPST Position"));
    udptPageControl_->addTab(storageSubPage("UDPTControlTabSheet", udpttpstctrlram_, udpttpstctrleeprom_),
                             QStringLiteral("TPST Control"));
    udptPageControl_->addTab(storageSubPage("UDPTOvenTabSheet",
                                            named(new QCheckBox(QStringLiteral("RAM")), "udptovenram"),
                                            named(new QCheckBox(QStringLiteral("EEPROM")), "udptoveneeprom")),
                             QStringLiteral("Oven"));
    // The tapping-station tabs follow their boxes, which start unchecked.
    udptPageControl_->setTabVisible(0, false);
    udptPageControl_->setTabVisible(1, false);

    auto* selections = new QHBoxLayout;
    selections->addWidget(tappingStation);
    selections->addWidget(oven, 0, Qt::AlignTop);
    selections->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(selections);
    layout->addWidget(udptPageControl_, 1);
    return page;
}

} // namespace orvik::tceditor
