// Every hand-made malformed archive opens in the window: one "Opened with problems"
// box where the file was wrong and none where it was only odd, then every entry of
// the time list is chosen and its page painted.

#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "tests/archive/MalformedArchives.h"
#include "tests/app/ModalAnswers.h"
#include "app/Unit1.h"

#include <QMessageBox>

using namespace orvik::test;
using namespace orvik::app;

namespace {

class MalformedArchiveWindowTest : public SettingsTest, public ::testing::WithParamInterface<std::string> {
protected:
    TempDir dir;
    TForm1 window;
};

TEST_P(MalformedArchiveWindowTest, OpensWithAClearMessageAndShowsEveryEntry)
{
    const std::string file = dir.write(GetParam(), malformedArchives().at(GetParam()));
    window.show();
    QString boxTitle, boxText;
    ModalAnswers answers({[&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        boxTitle = box->windowTitle();
        boxText = box->text();
        box->close();
    }});
    window.currentFileName = QString::fromStdString(file);
    window.openArchive(false);

    const std::string warning = openWarnings(GetParam());
    EXPECT_EQ(answers.opened, warning.empty() ? std::vector<std::string>{} : std::vector<std::string>{"QMessageBox"});
    if (!warning.empty()) {
        EXPECT_EQ(boxTitle, "Opened with problems");
        EXPECT_EQ(boxText.toStdString(), warning);
    }
    EXPECT_TRUE(window.windowTitle().endsWith(QString::fromStdString(file)));

    const int rows = findNamed<QAbstractItemView>(window, "ListBox1")->model()->rowCount();
    EXPECT_EQ(size_t(rows), window.document().timeListNodes().size());
    for (int row = 0; row < rows; ++row) {
        chooseTimeRow(window, row);
        EXPECT_FALSE(window.grab().isNull()) << "row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, MalformedArchiveWindowTest, ::testing::ValuesIn(malformedArchiveNames()),
                         [](const auto& info) { return testNameOf(info.param); });

} // namespace
