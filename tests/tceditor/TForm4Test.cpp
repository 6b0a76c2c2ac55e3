// The telecommand editor as a user drives it: picking and editing a
// telecommand, setting its page, dragging its picture onto the memo and the
// bin, and the pages while no telecommand is open.

#include "tceditor/TcWidgets.h"
#include "tceditor/Tceditor.h"
#include "tests/tceditor/ZeroWords.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace orvik::tceditor;
using orvik::test::zeroWords;

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

// Answers every modal message box that comes up while it lives, and keeps what they said.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        timer_.callOnTimeout([this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            captions << box->windowTitle();
            texts << box->text();
            if (QAbstractButton* button = box->button(answer))
                button->click();
            else
                box->done(answer);
        });
        timer_.start(0);
    }

    QStringList captions;
    QStringList texts;

private:
    QTimer timer_;
};

} // namespace

class TForm4Test : public ::testing::Test {
protected:
    TForm4Test()
    {
        editor_ = std::make_unique<TForm4>();
        editor_->show();
    }

    template <typename T> T* find(const char* name)
    {
        T* found = editor_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void pick(const QString& mnemonic)
    {
        auto* combo = find<QComboBox>("TCComboBox");
        const int index = combo->findText(mnemonic);
        ASSERT_GE(index, 0);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    void edit(const QString& mnemonic)
    {
        pick(mnemonic);
        find<QPushButton>("TCEditButton")->click();
    }

    // Presses on the telecommand's picture, which starts its drag, and lets it go over a target.
    bool dragTo(QWidget* target)
    {
        QTest::mousePress(find<QLabel>("NewTCImage"), Qt::LeftButton);
        return dropOn(target, TcDropTarget::format);
    }

    // Sends a drag of that format over a target and drops it there; whether the target took it.
    static bool dropOn(QWidget* target, const QString& format)
    {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(target))
            target = area->viewport();
        QMimeData data;
        data.setData(format, QByteArray());
        const QPoint centre = target->rect().center();
        QDragEnterEvent enter(centre, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(centre), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }

    QString memo() { return find<QPlainTextEdit>("hexMemo")->toPlainText(); }

    // The words the editor holds; an empty array when no telecommand is open.
    std::array<std::uint16_t, 32> words()
    {
        EXPECT_NE(editor_->currentTC(), nullptr);
        return editor_->currentTC() ? editor_->currentTC()->words : std::array<std::uint16_t, 32>{};
    }

    QStringList shownTabs(const char* pageControl)
    {
        auto* pages = find<QTabWidget>(pageControl);
        QStringList tabs;
        for (int i = 0; i < pages->count(); ++i)
            if (pages->isTabVisible(i))
                tabs << pages->tabText(i);
        return tabs;
    }

    void choose(const char* group, const QString& item)
    {
        for (auto* button : find<QWidget>(group)->findChildren<QRadioButton*>())
            if (button->text() == item)
                return button->click();
        ADD_FAILURE() << "no item " << item.toStdString() << " in " << group;
    }

    bool chosen(const char* group, const QString& item)
    {
        for (auto* button : find<QWidget>(group)->findChildren<QRadioButton*>())
            if (button->text() == item)
                return button->isChecked();
        return false;
    }

    void stepUpDown(const char* upDown, const char* arrow)
    {
        find<QWidget>(upDown)->findChild<QAbstractButton*>(QString::fromLatin1(arrow))->click();
    }

    std::unique_ptr<TForm4> editor_;
};

TEST_F(TForm4Test, StartsWithSTSTPickedNoPageShownAndTheDesignedValues)
{
    EXPECT_EQ(editor_->windowTitle(), "ORVIK TC-Editor");
    EXPECT_EQ(editor_->size(), QSize(773, 581));
    auto* combo = find<QComboBox>("TCComboBox");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items, QStringList({"STST", "GIHK", "CFGC", "UDPT"}));
    EXPECT_EQ(combo->currentText(), "STST");
    EXPECT_EQ(combo->toolTip(), "Pick a command!");
    EXPECT_TRUE(shownTabs("TCPageControl1").isEmpty());
    EXPECT_FALSE(find<QLabel>("NewTCImage")->isVisible());
    EXPECT_EQ(find<QLabel>("Panel8")->text(), "No TC");
    EXPECT_EQ(editor_->currentTC(), nullptr);

    const struct {
        const char* bar;
        int minimum, maximum, value;
        const char* label;
        QString shown;
    } bars[] = {
        {"ststmmpage", 0, 31, 0, "mmpage", "0"},         {"ststmmnumpage", 1, 32, 1, "mmnumpages", "1"},
        {"ststdpurampage", 1, 7, 1, "ststdpupage", "1"}, {"cfgccolumn1", 0, 7, 0, "channel1", "1"},
        {"cfgccolumn4", 0, 7, 0, "channel4", "1"},       {"cfgcduration", 1, 31, 1, "cfgcdurlabel", "1.12 min"},
    };
    for (const auto& b : bars) {
        auto* bar = find<QSlider>(b.bar);
        EXPECT_EQ(bar->minimum(), b.minimum) << b.bar;
        EXPECT_EQ(bar->maximum(), b.maximum) << b.bar;
        EXPECT_EQ(bar->value(), b.value) << b.bar;
        EXPECT_EQ(find<QLabel>(b.label)->text(), b.shown) << b.label;
    }
    EXPECT_TRUE(find<QRadioButton>("ststovenmain")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("ststtpstdiron")->isChecked());
    EXPECT_EQ(find<QLineEdit>("ststoventemp")->text(), "");
    EXPECT_EQ(find<QLineEdit>("ststoventemp")->toolTip(), "Enter oven PWM value");
    EXPECT_FALSE(chosen("gihkpwrsw", "Yes") || chosen("gihkpwrsw", "No"));
    EXPECT_TRUE(chosen("cfgchetank", "Tank 1"));
    EXPECT_TRUE(chosen("cfgcsamplesource", "Calibration Gas"));
    EXPECT_EQ(find<QLineEdit>("cfgcinjection")->text(), "0");
    EXPECT_EQ(find<QLineEdit>("cfgcheadpressure")->text(), "0");
    for (const char* box : {"MSCheckBox", "TPSTCheckBox", "cfgchksweep", "udpttpstpos", "udpttpstctrl", "udptoven",
                            "tpstposram", "udpttpstctrleeprom"})
        EXPECT_FALSE(find<QCheckBox>(box)->isChecked()) << box;
}

TEST_F(TForm4Test, EditAtOnceOpensAnSTSTRecordWhoseWordsTheMemoShows)
{
    find<QPushButton>("TCEditButton")->click();
    EXPECT_EQ(shownTabs("TCPageControl1"), QStringList({"STST"}));
    EXPECT_TRUE(shownTabs("STSTPageControl").isEmpty());
    EXPECT_FALSE(find<QComboBox>("TCComboBox")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("TCEditButton")->isEnabled());
    EXPECT_TRUE(find<QLabel>("NewTCImage")->isVisible());

    EXPECT_TRUE(dragTo(find<QPlainTextEdit>("hexMemo")));
    EXPECT_EQ(memo().toStdString(), "0001 " + zeroWords(31));
}

TEST_F(TForm4Test, ANewCFGCRecordTakesThePagesPreselectedValues)
{
    edit("CFGC");
    EXPECT_EQ(shownTabs("TCPageControl1"), QStringList({"CFGC"}));
    EXPECT_TRUE(dragTo(find<QPlainTextEdit>("hexMemo")));
    EXPECT_EQ(memo().toStdString(), "0002 0000 0000 0001 0000 0000 000F 0000 0000 " + zeroWords(23));
}

TEST_F(TForm4Test, STSTWritesTheWordsOfTheChosenUnitsOnly)
{
    edit("STST");
    find<QCheckBox>("MMCheckBox")->click();
    EXPECT_EQ(shownTabs("STSTPageControl"), QStringList({"MM"}));
    find<QSlider>("ststmmpage")->setValue(30);
    find<QSlider>("ststmmnumpage")->setValue(2);
    find<QSlider>("ststdpurampage")->setValue(5); // on a hidden sub-page: not written
    ASSERT_TRUE(dragTo(find<QPlainTextEdit>("hexMemo")));
    EXPECT_EQ(words()[1], 0x0008);
    EXPECT_EQ(words()[8], 30);
    EXPECT_EQ(words()[9], 2);
    EXPECT_EQ(words()[6], 0);
    EXPECT_EQ(memo().left(50), "0001 0008 0000 0000 0000 0000 0000 0000 001E 0002 ");

    find<QCheckBox>("OvenCheckBox")->click();
    find<QCheckBox>("TPSTCheckBox")->click();
    find<QCheckBox>("DPUCheckBox")->click();
    find<QCheckBox>("MMCheckBox")->click();
    EXPECT_EQ(words()[1], 0x0034);
    EXPECT_EQ(shownTabs("STSTPageControl"), QStringList({"Oven", "TPST", "DPU"}));
    find<QRadioButton>("ststovenside")->click();
    find<QRadioButton>("ststtpstdiroff")->click();
    find<QLineEdit>("ststoventemp")->setText("-1");
    ASSERT_TRUE(dragTo(find<QPlainTextEdit>("hexMemo")));
    EXPECT_EQ(words()[6], 5);
    EXPECT_EQ(words()[11], 0xFFFF);
    EXPECT_EQ(words()[12], 0x0000);
    EXPECT_EQ(words()[13], 0x0000);
    find<QRadioButton>("ststtpstdiron")->click();
    find<QRadioButton>("ststovenmain")->click();
    EXPECT_EQ(words()[13], 0xFFFF);
    EXPECT_EQ(words()[12], 0xFFFF);
}

TEST_F(TForm4Test, TheFirstMemoryPageLimitsTheNumberOfPages)
{
    auto* first = find<QSlider>("ststmmpage");
    auto* count = find<QSlider>("ststmmnumpage");
    count->setValue(32);
    first->setValue(31);
    EXPECT_EQ(find<QLabel>("mmpage")->text(), "31");
    EXPECT_EQ(count->maximum(), 1);
    EXPECT_EQ(count->value(), 1);
    EXPECT_EQ(find<QLabel>("mmnumpages")->text(), "1");
    first->setValue(0);
    EXPECT_EQ(count->maximum(), 32);
    count->setValue(32);
    EXPECT_EQ(find<QLabel>("mmnumpages")->text(), "32");
}

TEST_F(TForm4Test, CFGCPageAndRecordFollowEachOther)
{
    edit("CFGC");
    choose("cfgcsamplesource", "Oven");
    choose("cfgchetank", "Tank 2");
    const int columns[] = {3, 1, 8, 2};
    for (int ch = 0; ch < 4; ++ch)
        find<QSlider>(qPrintable(QString("cfgccolumn%1").arg(ch + 1)))->setValue(columns[ch] - 1);
    EXPECT_EQ(find<QLabel>("channel3")->text(), "8");
    find<QCheckBox>("cfgchksweep")->click();
    find<QSlider>("cfgcduration")->setValue(9);
    EXPECT_EQ(find<QLabel>("cfgcdurlabel")->text(), "10.1 min");
    find<QLineEdit>("cfgcheadpressure")->setText("200");
    find<QMenu>("InjectionPopupMenu")->findChild<QAction*>("N25sec1")->trigger();
    EXPECT_EQ(find<QLineEdit>("cfgcinjection")->text(), "2500");
    ASSERT_TRUE(dragTo(find<QPlainTextEdit>("hexMemo")));
    EXPECT_EQ(memo().left(45), "0002 FFFF 0000 0009 FFFF 09C4 00F0 1702 00C8 ");

    // Opened again, the page shows a record's words.
    find<QAction>("Delete1")->trigger();
    find<QSlider>("cfgcduration")->setValue(31);
    EXPECT_EQ(find<QLabel>("cfgcdurlabel")->text(), "34.7 min");
    find<QPushButton>("TCEditButton")->click();
    EXPECT_TRUE(chosen("cfgchetank", "Tank 1"));
    EXPECT_TRUE(chosen("cfgcsamplesource", "Oven")); // a source word of 0 leaves the choice alone
    EXPECT_EQ(find<QSlider>("cfgccolumn3")->value(), 0);
    EXPECT_FALSE(find<QCheckBox>("cfgchksweep")->isChecked());
    EXPECT_EQ(find<QSlider>("cfgcduration")->value(), 1);
    EXPECT_EQ(find<QLineEdit>("cfgcinjection")->text(), "0");
    EXPECT_EQ(find<QLineEdit>("cfgcheadpressure")->text(), "0");
}

TEST_F(TForm4Test, UpDownsStayWithinTheirRanges)
{
    auto* injection = find<QLineEdit>("cfgcinjection");
    stepUpDown("UpDown2", "Down");
    EXPECT_EQ(injection->text(), "0");
    stepUpDown("UpDown2", "Up");
    EXPECT_EQ(injection->text(), "1");
    injection->setText("65535");
    stepUpDown("UpDown2", "Up");
    EXPECT_EQ(injection->text(), "65535");
    injection->setText("70000");
    stepUpDown("UpDown2", "Down");
    EXPECT_EQ(injection->text(), "65535");
    find<QMenu>("InjectionPopupMenu")->findChild<QAction*>("N05sec1")->trigger();
    stepUpDown("UpDown2", "Up");
    EXPECT_EQ(injection->text(), "501");

    auto* pressure = find<QLineEdit>("cfgcheadpressure");
    stepUpDown("UpDown1", "Down");
    EXPECT_EQ(pressure->text(), "0");
    pressure->setText("255");
    stepUpDown("UpDown1", "Up");
    EXPECT_EQ(pressure->text(), "255");
    stepUpDown("UpDown1", "Down");
    EXPECT_EQ(pressure->text(), "254");
    QTest::keyClick(pressure, Qt::Key_Up);
    QTest::keyClick(pressure, Qt::Key_Up);
    EXPECT_EQ(pressure->text(), "255");
    pressure->setText("-7");
    QTest::keyClick(pressure, Qt::Key_Down);
    EXPECT_EQ(pressure->text(), "0");
}

TEST_F(TForm4Test, ATextThatIsNoIntegerIsReportedAndChangesNothingAfterIt)
{
    auto* injection = find<QLineEdit>("cfgcinjection");
    injection->setText("1,5");
    {
        MessageBoxAnswerer answerer;
        stepUpDown("UpDown2", "Up");
        EXPECT_EQ(answerer.texts, QStringList({"'1,5' is not a valid integer value"}));
    }
    EXPECT_EQ(injection->text(), "1,5");

    // At the start of a drag the transfer stops at the field: the words before it are written.
    edit("CFGC");
    choose("cfgchetank", "Tank 2");
    find<QLineEdit>("cfgcheadpressure")->setText("12x");
    injection->setText("700");
    {
        MessageBoxAnswerer answerer;
        QTest::mousePress(find<QLabel>("NewTCImage"), Qt::LeftButton);
        EXPECT_EQ(answerer.texts, QStringList({"'12x' is not a valid integer value"}));
    }
    EXPECT_EQ(words()[4], 0xFFFF);
    EXPECT_EQ(words()[3], 1);
    EXPECT_EQ(words()[8], 0);
    EXPECT_EQ(words()[5], 0);

    // Leaving the oven field keeps word 11 unless the text is an integer.
    find<QAction>("Delete1")->trigger();
    edit("STST");
    find<QCheckBox>("OvenCheckBox")->click();
    auto* temperature = find<QLineEdit>("ststoventemp");
    temperature->setText("70000");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(temperature, &leave);
    EXPECT_EQ(words()[11], 70000 & 0xFFFF);
    temperature->setText("hot");
    {
        MessageBoxAnswerer answerer;
        QApplication::sendEvent(temperature, &leave);
        EXPECT_EQ(answerer.texts, QStringList({"'hot' is not a valid integer value"}));
    }
    EXPECT_EQ(words()[11], 70000 & 0xFFFF);
}

TEST_F(TForm4Test, DeleteKeepsThePageTabWhileTheBinHidesIt)
{
    edit("GIHK");
    EXPECT_TRUE(chosen("gihkpwrsw", "No"));
    choose("gihkpwrsw", "Yes");
    ASSERT_TRUE(dragTo(find<QPlainTextEdit>("hexMemo")));
    EXPECT_EQ(memo().left(10), "0005 FFFF ");

    find<QAction>("Delete1")->trigger();
    EXPECT_EQ(editor_->currentTC(), nullptr);
    EXPECT_TRUE(find<QComboBox>("TCComboBox")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("TCEditButton")->isEnabled());
    EXPECT_FALSE(find<QLabel>("NewTCImage")->isVisible());
    EXPECT_EQ(memo(), "");
    EXPECT_EQ(shownTabs("TCPageControl1"), QStringList({"GIHK"}));

    find<QPushButton>("TCEditButton")->click();
    dragTo(find<QPlainTextEdit>("hexMemo"));
    {
        MessageBoxAnswerer no(QMessageBox::No);
        EXPECT_TRUE(dragTo(find<QLabel>("Image2")));
        EXPECT_EQ(no.captions, QStringList({"Sorry to bother you..."}));
        EXPECT_EQ(no.texts, QStringList({"Do you really want to delete this TC?"}));
    }
    EXPECT_NE(editor_->currentTC(), nullptr);
    EXPECT_NE(memo(), "");
    {
        MessageBoxAnswerer yes(QMessageBox::Yes);
        EXPECT_TRUE(dragTo(find<QLabel>("Image2")));
    }
    EXPECT_EQ(editor_->currentTC(), nullptr);
    EXPECT_EQ(memo(), "");
    EXPECT_TRUE(shownTabs("TCPageControl1").isEmpty());
    EXPECT_TRUE(find<QComboBox>("TCComboBox")->isEnabled());
    EXPECT_FALSE(find<QLabel>("NewTCImage")->isVisible());
}

TEST_F(TForm4Test, OtherTargetsTakeTheTelecommandAndDoNothing)
{
    edit("UDPT");
    for (const char* target : {"Image1", "Image3", "TCListView"})
        EXPECT_TRUE(dragTo(find<QWidget>(target))) << target;
    EXPECT_EQ(memo(), "");
    EXPECT_NE(editor_->currentTC(), nullptr);
    EXPECT_EQ(find<QAbstractItemView>("TCListView")->model()->rowCount(), 0);
    // Drags of anything else are refused.
    EXPECT_FALSE(dropOn(find<QPlainTextEdit>("hexMemo"), "text/plain"));
    EXPECT_FALSE(dropOn(find<QLabel>("Image2"), "text/uri-list"));
    EXPECT_EQ(memo(), "");
}

TEST_F(TForm4Test, PositionValuesSnapBackWhileTheRecordNamesAStore)
{
    edit("UDPT");
    auto* position = find<QCheckBox>("udpttpstpos");
    auto* control = find<QCheckBox>("udpttpstctrl");
    position->click();
    control->click();
    EXPECT_EQ(shownTabs("UDPTPageControl"), QStringList({"TPST Position", "TPST Control", "Oven"}));
    find<QCheckBox>("tpstposram")->click();
    find<QCheckBox>("tpstposeeprom")->click();
    find<QCheckBox>("udpttpstctrleeprom")->click();
    ASSERT_TRUE(dragTo(find<QPlainTextEdit>("hexMemo")));
    EXPECT_EQ(words()[1], 0x00FF);
    EXPECT_EQ(words()[8], 0x00F0);

    position->click();
    EXPECT_TRUE(position->isChecked());
    EXPECT_TRUE(shownTabs("UDPTPageControl").contains("TPST Position"));

    // Once the record names no store, unchecking hides the sub-page.
    find<QCheckBox>("udpttpstctrleeprom")->click();
    ASSERT_TRUE(dragTo(find<QPlainTextEdit>("hexMemo")));
    control->click();
    EXPECT_FALSE(control->isChecked());
    EXPECT_EQ(shownTabs("UDPTPageControl"), QStringList({"TPST Position", "Oven"}));
}

TEST_F(TForm4Test, PagesWithoutATelecommandTouchNoRecord)
{
    // After a pick and before "Edit".
    pick("STST");
    EXPECT_EQ(shownTabs("TCPageControl1"), QStringList({"STST"}));
    find<QCheckBox>("OvenCheckBox")->click();
    EXPECT_EQ(shownTabs("STSTPageControl"), QStringList({"Oven"}));
    find<QRadioButton>("ststovenside")->click();
    find<QLineEdit>("ststoventemp")->setText("not a number");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    {
        MessageBoxAnswerer answerer;
        QApplication::sendEvent(find<QLineEdit>("ststoventemp"), &leave);
        EXPECT_TRUE(answerer.texts.isEmpty());
    }
    EXPECT_EQ(editor_->currentTC(), nullptr);

    // "Edit" opens a record with no unit chosen: the page follows it.
    find<QPushButton>("TCEditButton")->click();
    EXPECT_FALSE(find<QCheckBox>("OvenCheckBox")->isChecked());
    EXPECT_TRUE(shownTabs("STSTPageControl").isEmpty());

    // After "Delete", while the page's tab stays shown.
    find<QAction>("Delete1")->trigger();
    find<QCheckBox>("MSCheckBox")->click();
    EXPECT_TRUE(find<QCheckBox>("MSCheckBox")->isChecked());
    pick("UDPT");
    find<QCheckBox>("udpttpstpos")->click();
    EXPECT_EQ(shownTabs("UDPTPageControl"), QStringList({"TPST Position", "Oven"}));
    find<QCheckBox>("udpttpstpos")->click();
    EXPECT_EQ(shownTabs("UDPTPageControl"), QStringList({"Oven"}));
    EXPECT_TRUE(dropOn(find<QPlainTextEdit>("hexMemo"), TcDropTarget::format));
    EXPECT_EQ(memo(), "");
    EXPECT_EQ(editor_->currentTC(), nullptr);
}

TEST_F(TForm4Test, HidingTheWindowKeepsTheTelecommand)
{
    edit("CFGC");
    find<QSlider>("cfgcduration")->setValue(5);
    editor_->hide();
    editor_->show();
    ASSERT_NE(editor_->currentTC(), nullptr);
    EXPECT_EQ(find<QSlider>("cfgcduration")->value(), 5);
    EXPECT_TRUE(dragTo(find<QPlainTextEdit>("hexMemo")));
    EXPECT_EQ(words()[3], 5);
}
