// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDown and Ctrl+PgUp in the main window: from
// the tree, the time list and the search field they move through the visible
// pages round the end; a page control on a page keeps Ctrl+Tab for its own pages.

#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "app/Unit1.h"

#include <QLineEdit>
#include <QTabBar>
#include <QTest>

using orvik::app::TForm1;

class PageKeysTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        pages = findNamed<QTabWidget>(window, "PageControl1");
    }
    // The key pressed in the named widget, which has the focus.
    QString pageAfter(const char* focus, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        auto* widget = findNamed<QWidget>(window, focus);
        widget->setFocus();
        QTest::keyClick(widget, key, modifiers);
        return pages->currentWidget()->objectName();
    }

    TForm1 window;
    QTabWidget* pages = nullptr;
};

TEST_F(PageKeysTest, TheKeysMoveThroughTheVisiblePagesFromAnywhereRoundTheEnd)
{
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    ASSERT_EQ(pages->currentWidget()->objectName(), "MSTab");
    pages->setTabVisible(pages->indexOf(findNamed<QWidget>(window, "CSIBTabSheet")), false);

    EXPECT_EQ(pageAfter("TreeView1", Qt::Key_Tab, ctrl), "GCtab");
    EXPECT_EQ(pageAfter("TreeView1", Qt::Key_PageDown, ctrl), "TPSTTabSheet") << "the hidden page is passed over";
    EXPECT_EQ(pageAfter("ListBox1", Qt::Key_Backtab, ctrlShift), "GCtab");
    EXPECT_EQ(pageAfter("SearchEdit", Qt::Key_PageUp, ctrl), "MSTab");
    EXPECT_EQ(pageAfter("SearchEdit", Qt::Key_PageUp, ctrl), pages->widget(pages->count() - 1)->objectName());
    EXPECT_EQ(pageAfter("TreeView1", Qt::Key_Tab, ctrl), "MSTab");
    EXPECT_EQ(findNamed<QTabWidget>(window, "PageControl4")->currentIndex(), 0) << "the tree stays in front";
}

TEST_F(PageKeysTest, APageControlOnAPageKeepsCtrlTabForItsOwnPages)
{
    auto* spectrumPages = findNamed<QTabWidget>(window, "MSPageControl");
    ASSERT_EQ(spectrumPages->currentIndex(), 0);
    spectrumPages->tabBar()->setFocus();
    QTest::keyClick(spectrumPages->tabBar(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(spectrumPages->currentIndex(), 1);
    EXPECT_EQ(pages->currentWidget()->objectName(), "MSTab");
}
