// orvik-dump --report: the GC report of the dataset that holds an entry.

#include "tests/reports/GcRecords.h"
#include "tools/dump/ReportCommand.h"

#include <sstream>

using namespace orvik;
using namespace orvik::dump;
using namespace orvik::test;

namespace {

class DumpReportTest : public DocumentTest {
protected:
    void SetUp() override { open(Archive().add(regularHk()).add(gcRunStream().blocks())); }
    int run(size_t k, const std::filesystem::path& out)
    {
        err.str({});
        return reportEntry(doc, "campaign.cvlbin", k, out.string(), err);
    }
    std::ostringstream err;
};

TEST_F(DumpReportTest, WritesTheReportOfTheDatasetHoldingTheEntry)
{
    for (size_t k = 1; k <= 4; ++k) { // the dataset's TC, time and the two CSIB records
        const std::filesystem::path out = dir.path() / ("report" + std::to_string(k) + ".pdf");
        EXPECT_EQ(run(k, out), 0) << err.str();
        std::ifstream pdf(out, std::ios::binary);
        std::string head(5, '\0');
        pdf.read(head.data(), 5);
        EXPECT_EQ(head, "%PDF-") << k;
    }
}

TEST_F(DumpReportTest, AnEntryOutsideAGcRunWritesNothing)
{
    EXPECT_EQ(run(0, dir.path() / "hk.pdf"), 2);
    EXPECT_EQ(err.str(), "orvik-dump: entry 0 (Regular HK): the node holds no GC run\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "hk.pdf"));
    EXPECT_EQ(run(5, dir.path() / "ms.pdf"), 2) << "the MS dataset's TC";
}

} // namespace
