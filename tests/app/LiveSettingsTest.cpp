// The servers connected to last and the recordings folder, kept between runs.

#include "app/settings/LiveSettings.h"

#include "tests/app/SettingsTest.h"

#include <QDir>
#include <QStandardPaths>

using namespace orvik::app;

namespace {

class LiveSettingsTest : public SettingsTest {};

TEST_F(LiveSettingsTest, TheServersUsedLastComeFirstEachOnceAndAtMostEight)
{
    EXPECT_TRUE(recentServers().isEmpty());
    for (int port = 4001; port <= 4010; ++port)
        addRecentServer(QString("host:%1").arg(port));
    addRecentServer("host:4007");
    EXPECT_EQ(recentServers(), QStringList({"host:4007", "host:4010", "host:4009", "host:4008", "host:4006",
                                            "host:4005", "host:4004", "host:4003"}));
}

TEST_F(LiveSettingsTest, TheRecordingsFolderIsTheOneChosenOnceOrOneInTheDocuments)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(recordingsFolder(), QDir(documents).filePath("ORVIK recordings"));
    setRecordingsFolder("/data/egse/recordings");
    EXPECT_EQ(recordingsFolder(), "/data/egse/recordings");
}

} // namespace
