#pragma once
// TForm4, "ORVIK TC-Editor": composes one telecommand at a time on the page of
// its kind and shows its words when its picture is dropped on the memo.

#include "tceditor/OrvikTC.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace orvik::tceditor {
class RadioGroup;
class UpDown;

class TForm4 : public QWidget {
    Q_OBJECT
public:
    enum class Transfer { toControls, toRecord };

    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    // The telecommand under edit, or null.
    const OrvikTC* currentTC() const { return currentTC_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A page's transfer; false when a field could not be read into the record.
    using PageTransfer = bool (TForm4::*)(Transfer);

    QWidget* buildTelecommandsGroup();
    QWidget* buildDropTargets();
    QWidget* buildSTSTPage();
    QWidget* buildGIHKPage();
    QWidget* buildCFGCPage();
    QWidget* buildUDPTPage();
    void connectHandlers();

    void TCComboBoxChange(int index);
    void TCEditButtonClick();
    bool NewTCImageStartDrag();
    void hexMemoDragDrop();
    void Image2DragDrop();
    void Delete1Click();
    // The tab of a telecommand page becomes the only one shown; its transfer becomes pageTransfer.
    void showPage(int index);
    // Back to "no telecommand".
    void discardTC();

    void selfTestBoxClick(int box);
    void syncSelfTestBoxes();
    void ststoventempExit();
    void ststmmpageChange(int position);
    void cfgcdurationChange(int position);
    void UpDown2ChangingEx(int delta);
    void syncUdptPages();

    bool transferSTST(Transfer direction);
    bool transferGIHK(Transfer direction);
    bool transferCFGC(Transfer direction);
    bool transferUDPT(Transfer direction);

    // The strict integer of an edit; a text that is none is reported and gives nothing.
    std::optional<std::int32_t> readInteger(QLineEdit* edit);
    // Whether a sub-page's tab is shown.
    bool ststSubPageShown(int subPage) const;

    std::unique_ptr<OrvikTC> currentTC_;
    PageTransfer pageTransfer_ = &TForm4::transferSTST;
    bool udptPositionChosen_ = false;
    bool udptControlChosen_ = false;

    QComboBox* tcComboBox_ = nullptr;
    QPushButton* tcEditButton_ = nullptr;
    QLabel* newTCImage_ = nullptr;
    QMenu* tcPopupMenu_ = nullptr;
    QTabWidget* tcPageControl1_ = nullptr;
    QPlainTextEdit* hexMemo_ = nullptr;
    QLabel* image1_ = nullptr;
    QLabel* image2_ = nullptr;
    QLabel* image3_ = nullptr;
    QListWidget* tcListView_ = nullptr;

    // STST: MS, GC, DPU, Mass Memory, Oven, Tapping Station.
    std::array<QCheckBox*, 6> selfTestBoxes_{};
    QTabWidget* ststPageControl_ = nullptr;
    QSlider* ststmmpage_ = nullptr;
    QLabel* mmpage_ = nullptr;
    QSlider* ststmmnumpage_ = nullptr;
    QLabel* mmnumpages_ = nullptr;
    QRadioButton* ststovenmain_ = nullptr;
    QRadioButton* ststovenside_ = nullptr;
    QLineEdit* ststoventemp_ = nullptr;
    QRadioButton* ststtpstdiron_ = nullptr;
    QRadioButton* ststtpstdiroff_ = nullptr;
    QSlider* ststdpurampage_ = nullptr;
    QLabel* ststdpupage_ = nullptr;

    RadioGroup* gihkpwrsw_ = nullptr;

    RadioGroup* cfgchetank_ = nullptr;
    RadioGroup* cfgcsamplesource_ = nullptr;
    std::array<QSlider*, 4> cfgccolumns_{};
    std::array<QLabel*, 4> channels_{};
    QCheckBox* cfgchksweep_ = nullptr;
    QSlider* cfgcduration_ = nullptr;
    QLabel* cfgcdurlabel_ = nullptr;
    QLineEdit* cfgcinjection_ = nullptr;
    UpDown* upDown2_ = nullptr;
    QMenu* injectionPopupMenu_ = nullptr;
    QLineEdit* cfgcheadpressure_ = nullptr;
    UpDown* upDown1_ = nullptr;

    QCheckBox* udpttpstpos_ = nullptr;
    QCheckBox* udpttpstctrl_ = nullptr;
    QTabWidget* udptPageControl_ = nullptr;
    QCheckBox* tpstposram_ = nullptr;
    QCheckBox* tpstposeeprom_ = nullptr;
    QCheckBox* udpttpstctrlram_ = nullptr;
    QCheckBox* udpttpstctrleeprom_ = nullptr;
};

} // namespace orvik::tceditor
