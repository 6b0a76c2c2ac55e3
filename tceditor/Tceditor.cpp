#include "tceditor/Tceditor.h"

#include "tceditor/StrictInteger.h"
#include "tceditor/TcLayouts.h"
#include "tceditor/TcWidgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDrag>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>


namespace orvik::tceditor {

using namespace tcwords;

namespace {

// The sub-pages of STST and UDPT, in page order.
enum StstSubPage { mmSubPage, ovenSubPage, tpstSubPage, dpuSubPage };
enum UdptSubPage { positionSubPage, controlSubPage };

// The self-test check boxes in their order, with their unit bit and the sub-page
// that holds the unit's settings.
struct SelfTestUnit {
    std::uint16_t bit;
    int subPage; // -1: the unit has no settings
};
constexpr SelfTestUnit selfTestUnits[] = {
    {stst::ms, -1},
    {stst::gc, -1},
    {stst::dpu, dpuSubPage},
    {stst::massMemory, mmSubPage},
    {stst::oven, ovenSubPage},
    {stst::tappingStation, tpstSubPage},
};

QFont fixedPitchFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return font;
}

} // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("ORVIK TC-Editor"));
    resize(773, 581);

    hexMemo_ = new QPlainTextEdit;
    hexMemo_->setObjectName(QStringLiteral("hexMemo"));
    hexMemo_->setReadOnly(true);
    hexMemo_->setFont(fixedPitchFont());
    auto* direct = new QGroupBox(QStringLiteral("Direct processing"));
    direct->setObjectName(QStringLiteral("GroupBox3"));
    (new QVBoxLayout(direct))->addWidget(hexMemo_);

    tcListView_ = new QListWidget;
    tcListView_->setObjectName(QStringLiteral("TCListView"));
    auto* list = new QGroupBox(QStringLiteral("List of Telecommands"));
    list->setObjectName(QStringLiteral("GroupBox4"));
    (new QVBoxLayout(list))->addWidget(tcListView_);

    auto* right = new QVBoxLayout;
    right->addWidget(buildDropTargets());
    right->addWidget(direct, 1);
    right->addWidget(list, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildTelecommandsGroup(), 1);
    layout->addLayout(right, 1);

    // Every telecommand page is listed in the combo box, with the page attached; no tab is shown yet.
    for (int i = 0; i < tcPageControl1_->count(); ++i) {
        tcPageControl1_->setTabVisible(i, false);
        tcComboBox_->addItem(tcPageControl1_->tabText(i), QVariant::fromValue<QObject*>(tcPageControl1_->widget(i)));
    }
    tcComboBox_->setCurrentIndex(0);
    connectHandlers();
}

TForm4::~TForm4() = default;

void TForm4::connectHandlers()
{
    connect(tcComboBox_, &QComboBox::activated, this, &TForm4::TCComboBoxChange);
    connect(tcEditButton_, &QPushButton::clicked, this, &TForm4::TCEditButtonClick);
    newTCImage_->installEventFilter(this);
    connect(newTCImage_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { tcPopupMenu_->popup(newTCImage_->mapToGlobal(at)); });
    connect(findChild<QAction*>(QStringLiteral("Delete1")), &QAction::triggered, this, &TForm4::Delete1Click);

    // Every target takes the dragged telecommand; only the memo and the bin do something with it.
    new TcDropTarget(hexMemo_->viewport(), [this] { hexMemoDragDrop(); });
    new TcDropTarget(image2_, [this] { Image2DragDrop(); });
    new TcDropTarget(image1_, nullptr);
    new TcDropTarget(image3_, nullptr);
    new TcDropTarget(tcListView_->viewport(), nullptr);

    for (int i = 0; i < int(selfTestBoxes_.size()); ++i)
        connect(selfTestBoxes_[size_t(i)], &QCheckBox::clicked, this, [this, i] { selfTestBoxClick(i); });
    const struct {
        QRadioButton* button;
        std::size_t word;
        std::uint16_t value;
    } choices[] = {
        {ststtpstdiron_, stst::tpstDirection, flagOn},
        {ststtpstdiroff_, stst::tpstDirection, flagOff},
        {ststovenmain_, stst::ovenTerminal, flagOn},
        {ststovenside_, stst::ovenTerminal, flagOff},
    };
    for (const auto& choice : choices)
        connect(choice.button, &QRadioButton::clicked, this, [this, choice] {
            if (currentTC_)
                currentTC_->words[choice.word] = choice.value;
        });
    ststoventemp_->installEventFilter(this);
    connect(ststmmpage_, &QSlider::valueChanged, this, &TForm4::ststmmpageChange);
    connect(ststmmnumpage_, &QSlider::valueChanged, mmnumpages_, qOverload<int>(&QLabel::setNum));
    connect(ststdpurampage_, &QSlider::valueChanged, ststdpupage_, qOverload<int>(&QLabel::setNum));

    for (std::size_t ch = 0; ch < cfgccolumns_.size(); ++ch)
        connect(cfgccolumns_[ch], &QSlider::valueChanged, channels_[ch],
                [label = channels_[ch]](int position) { label->setNum(position + 1); });
    connect(cfgcduration_, &QSlider::valueChanged, this, &TForm4::cfgcdurationChange);
    connect(upDown2_, &UpDown::changing, this, &TForm4::UpDown2ChangingEx);
    connect(cfgcinjection_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { injectionPopupMenu_->popup(cfgcinjection_->mapToGlobal(at)); });
    const struct {
        const char* name;
        const char* caption;
        const char* text;
    } injectionTimes[] = {
        {"N05sec1", "0,5 sec", "500"},  {"N1sec1", "1 sec", "1000"},    {"N2sec1", "1,5 sec", "1500"},
        {"N2sec2", "2 sec", "2000"},    {"N25sec1", "2,5 sec", "2500"}, {"N3sec1", "3 sec", "3000"},
        {"N35sec1", "3,5 sec", "3500"},
    };
    for (const auto& item : injectionTimes) {
        QAction* action = injectionPopupMenu_->addAction(
            QString::fromLatin1(item.caption), cfgcinjection_,
            [this, text = QString::fromLatin1(item.text)] { cfgcinjection_->setText(text); });
        action->setObjectName(QString::fromLatin1(item.name));
    }

    connect(udpttpstpos_, &QCheckBox::clicked, this, [this](bool checked) {
        udptPositionChosen_ = checked;
        syncUdptPages();
        if (checked)
            udptPageControl_->setCurrentIndex(positionSubPage);
    });
    connect(udpttpstctrl_, &QCheckBox::clicked, this, [this](bool checked) {
        udptControlChosen_ = checked;
        syncUdptPages();
        if (checked)
            udptPageControl_->setCurrentIndex(controlSubPage);
    });

    // The value labels start with their bars' positions.
    ststmmpageChange(ststmmpage_->value());
    mmnumpages_->setNum(ststmmnumpage_->value());
    ststdpupage_->setNum(ststdpurampage_->value());
    for (std::size_t ch = 0; ch < cfgccolumns_.size(); ++ch)
        channels_[ch]->setNum(cfgccolumns_[ch]->value() + 1);
    cfgcdurationChange(cfgcduration_->value());
}

bool TForm4::eventFilter(QObject* watched, QEvent* event)
{
    // The telecommand's picture starts a drag as soon as the left button goes down on it.
    if (watched == newTCImage_ && event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton)
            return false;
        if (NewTCImageStartDrag()) {
            auto* drag = new QDrag(newTCImage_); // the drag manager deletes it when it ends
            auto* data = new QMimeData;
            data->setData(TcDropTarget::format, QByteArray());
            drag->setMimeData(data);
            drag->setPixmap(newTCImage_->pixmap());
            drag->setHotSpot(press->position().toPoint());
            drag->exec(Qt::MoveAction);
        }
        return true;
    }
    // Leaving the field, not switching to another window or opening a menu.
    if (watched == ststoventemp_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            ststoventempExit();
    }
    return QWidget::eventFilter(watched, event);
}

void TForm4::TCComboBoxChange(int index)
{
    const int page = tcPageControl1_->indexOf(qobject_cast<QWidget*>(tcComboBox_->itemData(index).value<QObject*>()));
    if (page >= 0)
        showPage(page);
}

void TForm4::showPage(int index)
{
    static constexpr PageTransfer transfers[] = {&TForm4::transferSTST, &TForm4::transferGIHK, &TForm4::transferCFGC,
                                                 &TForm4::transferUDPT};
    for (int i = 0; i < tcPageControl1_->count(); ++i)
        if (i != index)
            tcPageControl1_->setTabVisible(i, false);
    tcPageControl1_->setTabVisible(index, true);
    tcPageControl1_->setCurrentIndex(index);
    pageTransfer_ = transfers[index];
}

void TForm4::TCEditButtonClick()
{
    const int index = tcComboBox_->currentIndex();
    if (index < 0)
        return;
    showPage(index);
    currentTC_ = std::make_unique<OrvikTC>(tcPageControl1_->tabText(index).toStdString());
    tcComboBox_->setEnabled(false);
    newTCImage_->show();
    tcEditButton_->setEnabled(false);
    (this->*pageTransfer_)(Transfer::toControls);
}

bool TForm4::NewTCImageStartDrag()
{
    // The record takes what the page shows at this moment; a field that is no number stops the drag.
    return currentTC_ && (this->*pageTransfer_)(Transfer::toRecord);
}

void TForm4::hexMemoDragDrop()
{
    hexMemo_->clear();
    if (currentTC_)
        hexMemo_->setPlainText(QString::fromStdString(tcHexText(*currentTC_)));
}

void TForm4::Image2DragDrop()
{
    if (QMessageBox::question(this, QStringLiteral("Sorry to bother you..."),
                              QStringLiteral("Do you really want to delete this TC?"),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    tcPageControl1_->setTabVisible(tcComboBox_->currentIndex(), false);
    discardTC();
}

void TForm4::Delete1Click() { discardTC(); }

void TForm4::discardTC()
{
    newTCImage_->hide();
    tcComboBox_->setEnabled(true);
    tcEditButton_->setEnabled(true);
    hexMemo_->clear();
    currentTC_.reset();
}

std::optional<std::int32_t> TForm4::readInteger(QLineEdit* edit)
{
    const std::string text = edit->text().toStdString();
    if (const auto value = strictInteger(text))
        return value;
    QMessageBox::critical(this, QApplication::applicationDisplayName(),
                          QString::fromStdString(notAnIntegerMessage(text)));
    return std::nullopt;
}

// STST

void TForm4::selfTestBoxClick(int box)
{
    if (currentTC_) {
        std::uint16_t& units = currentTC_->words[stst::subsystems];
        const std::uint16_t bit = selfTestUnits[box].bit;
        units = std::uint16_t((units & ~bit) | (selfTestBoxes_[size_t(box)]->isChecked() ? bit : 0));
    }
    syncSelfTestBoxes();
    // The settings of a unit just chosen come to the front.
    if (selfTestBoxes_[size_t(box)]->isChecked() && selfTestUnits[box].subPage >= 0)
        ststPageControl_->setCurrentIndex(selfTestUnits[box].subPage);
}

void TForm4::syncSelfTestBoxes()
{
    // Without a telecommand the boxes themselves say which units are chosen.
    std::uint16_t units = 0;
    if (currentTC_)
        units = currentTC_->words[stst::subsystems];
    else
        for (std::size_t i = 0; i < selfTestBoxes_.size(); ++i)
            units |= selfTestBoxes_[i]->isChecked() ? selfTestUnits[i].bit : 0;
    for (std::size_t i = 0; i < selfTestBoxes_.size(); ++i) {
        const bool chosen = units & selfTestUnits[i].bit;
        selfTestBoxes_[i]->setChecked(chosen);
        if (selfTestUnits[i].subPage >= 0)
            ststPageControl_->setTabVisible(selfTestUnits[i].subPage, chosen);
    }
}

bool TForm4::ststSubPageShown(int subPage) const { return ststPageControl_->isTabVisible(subPage); }

void TForm4::ststoventempExit()
{
    if (!currentTC_)
        return;
    if (const auto pwm = readInteger(ststoventemp_))
        currentTC_->words[stst::ovenPwm] = std::uint16_t(*pwm);
}

void TForm4::ststmmpageChange(int position)
{
    mmpage_->setNum(position);
    // The pages tested may not run past the last one; the number of pages drops to fit.
    ststmmnumpage_->setMaximum(stst::massMemoryPages - position);
}

bool TForm4::transferSTST(Transfer direction)
{
    auto& words = currentTC_->words;
    if (direction == Transfer::toControls) {
        syncSelfTestBoxes();
        if (ststSubPageShown(tpstSubPage))
            (words[stst::tpstDirection] == flagOn ? ststtpstdiron_ : ststtpstdiroff_)->setChecked(true);
        if (ststSubPageShown(ovenSubPage)) {
            (words[stst::ovenTerminal] == flagOn ? ststovenmain_ : ststovenside_)->setChecked(true);
            ststoventemp_->setText(QString::number(words[stst::ovenPwm]));
        }
        if (ststSubPageShown(mmSubPage)) {
            ststmmpage_->setValue(words[stst::mmFirstPage]);
            ststmmnumpage_->setValue(words[stst::mmPageCount]);
        }
        if (ststSubPageShown(dpuSubPage))
            ststdpurampage_->setValue(words[stst::dpuRamPage]);
        return true;
    }
    if (ststSubPageShown(tpstSubPage))
        words[stst::tpstDirection] = flag(ststtpstdiron_->isChecked());
    if (ststSubPageShown(ovenSubPage)) {
        words[stst::ovenTerminal] = flag(ststovenmain_->isChecked());
        const auto pwm = readInteger(ststoventemp_);
        if (!pwm)
            return false;
        words[stst::ovenPwm] = std::uint16_t(*pwm);
    }
    if (ststSubPageShown(mmSubPage)) {
        words[stst::mmFirstPage] = std::uint16_t(ststmmpage_->value());
        words[stst::mmPageCount] = std::uint16_t(ststmmnumpage_->value());
    }
    if (ststSubPageShown(dpuSubPage))
        words[stst::dpuRamPage] = std::uint16_t(ststdpurampage_->value());
    return true;
}

// GIHK

bool TForm4::transferGIHK(Transfer direction)
{
    std::uint16_t& powerSwitches = currentTC_->words[gihk::powerSwitches];
    if (direction == Transfer::toControls)
        gihkpwrsw_->setItemIndex(powerSwitches == flagOn ? 0 : 1);
    else
        powerSwitches = flag(gihkpwrsw_->itemIndex() == 0);
    return true;
}

// CFGC

void TForm4::cfgcdurationChange(int position)
{
    cfgcdurlabel_->setText(QLocale().toString(cfgc::durationMinutes(position), 'g', 3) + QStringLiteral(" min"));
}

void TForm4::UpDown2ChangingEx(int delta)
{
    if (const auto milliseconds = readInteger(cfgcinjection_))
        cfgcinjection_->setText(QString::number(std::clamp<qint64>(qint64(*milliseconds) + delta, 0, 65535)));
}

bool TForm4::transferCFGC(Transfer direction)
{
    auto& words = currentTC_->words;
    if (direction == Transfer::toControls) {
        cfgchetank_->setItemIndex(words[cfgc::heliumTank] == flagOn ? 1 : 0);
        if (const auto source = cfgc::sampleSourceIndex(words[cfgc::sampleSource]))
            cfgcsamplesource_->setItemIndex(*source);
        for (std::size_t ch = 0; ch < cfgccolumns_.size(); ++ch)
            cfgccolumns_[ch]->setValue(cfgc::columnOf(words[cfgc::columns], int(ch)));
        cfgchksweep_->setChecked(words[cfgc::hkCollection] != 0);
        cfgcduration_->setValue(words[cfgc::duration]);
        cfgcheadpressure_->setText(QString::number(words[cfgc::headPressure]));
        cfgcinjection_->setText(QString::number(words[cfgc::injectionTime]));
        return true;
    }
    words[cfgc::heliumTank] = flag(cfgchetank_->itemIndex() == 1);
    words[cfgc::sampleSource] = cfgc::sampleSourceWord(std::max(cfgcsamplesource_->itemIndex(), 0));
    std::array<int, cfgc::channelCount> columns{};
    for (std::size_t ch = 0; ch < columns.size(); ++ch)
        columns[ch] = cfgccolumns_[ch]->value();
    words[cfgc::columns] = cfgc::columnsWord(columns);
    words[cfgc::hkCollection] = flag(cfgchksweep_->isChecked());
    words[cfgc::duration] = std::uint16_t(cfgcduration_->value());
    const auto pressure = readInteger(cfgcheadpressure_);
    if (!pressure)
        return false;
    words[cfgc::headPressure] = std::uint16_t(*pressure);
    const auto injection = readInteger(cfgcinjection_);
    if (!injection)
        return false;
    words[cfgc::injectionTime] = std::uint16_t(*injection);
    return true;
}

// UDPT

bool TForm4::transferUDPT(Transfer direction)
{
    std::uint16_t& position = currentTC_->words[udpt::positionStorage];
    std::uint16_t& control = currentTC_->words[udpt::controlStorage];
    if (direction == Transfer::toControls) {
        tpstposram_->setChecked(position & storeInRam);
        tpstposeeprom_->setChecked(position & storeInEeprom);
        udpttpstctrlram_->setChecked(control & storeInRam);
        udpttpstctrleeprom_->setChecked(control & storeInEeprom);
    } else {
        position = storageWord(tpstposram_->isChecked(), tpstposeeprom_->isChecked());
        control = storageWord(udpttpstctrlram_->isChecked(), udpttpstctrleeprom_->isChecked());
    }
    return true;
}

void TForm4::syncUdptPages()
{
    // A box stays checked while the record still names a storage target for it.
    const bool position = udptPositionChosen_ || (currentTC_ && (currentTC_->words[udpt::positionStorage] & 0x00FF));
    const bool control = udptControlChosen_ || (currentTC_ && (currentTC_->words[udpt::controlStorage] & 0x00FF));
    udptPageControl_->setTabVisible(positionSubPage, position);
    udpttpstpos_->setChecked(position);
    udptPageControl_->setTabVisible(controlSubPage, control);
    udpttpstctrl_->setChecked(control);
}

} // namespace orvik::tceditor
