// The mzML export read back: OpenMS's FileInfo validates each file against the schema and
// the vocabulary and reports its counts and m/z range; the index, the checksum and the
// binary arrays are checked here byte for byte.

#include "tests/exports/MzmlFile.h"
#include "tests/archive/ArchiveBuilder.h"
#include "exports/DatasetContent.h"
#include "exports/DatasetExport.h"
#include "exports/ReplacingFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

using namespace orvik;
using namespace orvik::exports;
using namespace orvik::test;

namespace {

class MzmlExportTest : public ::testing::Test {
protected:
    // The demo archive's dataset with the most spectra and chromatograms together.
    static void SetUpTestSuite()
    {
        doc_ = new ArchiveDocument;
        ASSERT_TRUE(doc_->open(ORVIK_DEMO_ARCHIVE)) << doc_->openError();
        content_ = new DatasetContent;
        for (const NodeId dataset : datasets(doc_->tree())) {
            DatasetContent c = datasetContent(doc_->tree(), dataset);
            if (c.spectra.size() * c.chromatograms.size() > content_->spectra.size() * content_->chromatograms.size())
                *content_ = std::move(c);
        }
        ASSERT_FALSE(content_->spectra.empty());
        ASSERT_FALSE(content_->chromatograms.empty());
    }
    static void TearDownTestSuite()
    {
        delete content_;
        delete doc_;
    }

    std::string exported(const DatasetContent& content, bool zlib, const std::string& name = "out.mzML",
                         const ExportSource& source = {ORVIK_DEMO_ARCHIVE, {}})
    {
        const std::string path = (dir.path() / name).string();
        const auto error = writeMzml(content, path, source, {zlib, 0});
        EXPECT_FALSE(error) << *error;
        return path;
    }

    // FileInfo finds the file valid, indexed, and holding what `content` holds.
    static void expectAcceptedByFileInfo(const std::string& path, const DatasetContent& content)
    {
        const FileInfoReport report = fileInfo(path);
        EXPECT_TRUE(report.valid()) << report.validation.out << report.validation.err;
        EXPECT_EQ(report.summary.code, 0) << report.summary.out << report.summary.err;
        EXPECT_EQ(report.summary.out.find("Error"), std::string::npos) << report.summary.out;
        EXPECT_EQ(report.count("Number of spectra"), long(content.spectra.size())) << report.summary.out;
        // The summary leaves out the line of no chromatograms.
        EXPECT_EQ(std::max(0L, report.count("Number of chromatograms")), long(content.chromatograms.size()))
            << report.summary.out;
        char line[100];
        std::snprintf(line, sizeof line, "Found a valid indexed mzML XML File with %zu spectra and %zu chromatograms.",
                      content.spectra.size(), content.chromatograms.size());
        EXPECT_NE(report.summary.out.find(line), std::string::npos) << report.summary.out;
        if (!content.spectra.empty()) {
            double low = content.spectra[0].mz.front(), high = low;
            for (const ExportedSpectrum& s : content.spectra)
                for (const double mz : s.mz) {
                    low = std::min(low, mz);
                    high = std::max(high, mz);
                }
            std::snprintf(line, sizeof line, "%.2f .. %.2f", low, high);
            EXPECT_EQ(report.mzRange(), line);
        }
    }

    // Every offset names the start of its element, the list's offset its start, and the
    // checksum is the SHA-1 of everything up to and including its opening tag.
    static void expectIndexAndChecksumHold(const std::string& text, const DatasetContent& content)
    {
        const std::vector<IndexEntry> entries = indexEntries(text);
        ASSERT_EQ(entries.size(), content.spectra.size() + content.chromatograms.size());
        for (const IndexEntry& e : entries) {
            const std::string start = "<" + e.index + " ";
            ASSERT_LT(e.offset, text.size());
            EXPECT_EQ(text.substr(e.offset, start.size()), start) << e.id;
            const size_t id = text.find(" id=\"", e.offset);
            EXPECT_EQ(text.substr(id + 5, e.id.size() + 1), e.id + "\"");
        }
        const size_t listOffset = text.find("<indexListOffset>");
        ASSERT_NE(listOffset, std::string::npos);
        const size_t list = std::stoul(text.substr(listOffset + std::strlen("<indexListOffset>")));
        EXPECT_EQ(text.substr(list, 11), "<indexList ");
        const std::string open = "<fileChecksum>";
        const size_t checksum = text.find(open) + open.size();
        EXPECT_EQ(text.substr(checksum, 40), sha1Hex(text.substr(0, checksum)));
    }

    TempDir dir;
    static ArchiveDocument* doc_;
    static DatasetContent* content_;
};

ArchiveDocument* MzmlExportTest::doc_ = nullptr;
DatasetContent* MzmlExportTest::content_ = nullptr;

TEST_F(MzmlExportTest, ADatasetWithSpectraAndChromatogramsIsValidIndexedAndExact)
{
    for (const bool zlib : {false, true}) {
        SCOPED_TRACE(zlib ? "zlib" : "no compression");
        const std::string path = exported(*content_, zlib);
        expectAcceptedByFileInfo(path, *content_);
        const std::string text = fileText(path);
        expectIndexAndChecksumHold(text, *content_);
        EXPECT_NE(text.find(zlib ? "\"zlib compression\"" : "\"no compression\""), std::string::npos);

        // The arrays in document order: m/z and intensity of each spectrum, then time and
        // intensity of each chromatogram.
        const std::vector<double> mz = binaryArray(text, 0, zlib);
        EXPECT_EQ(std::memcmp(mz.data(), content_->spectra[0].mz.data(), mz.size() * 8), 0);
        EXPECT_EQ(mz.size(), content_->spectra[0].mz.size());
        const size_t lastArray = 2 * (content_->spectra.size() + content_->chromatograms.size()) - 1;
        EXPECT_EQ(binaryArray(text, lastArray, zlib), content_->chromatograms.back().intensity);
        EXPECT_EQ(binaryArray(text, lastArray - 1, zlib), content_->chromatograms.back().time);
    }
}

TEST_F(MzmlExportTest, SpectrumMetadataNamesTheDatasetAndTheTimes)
{
    const std::string text = fileText(exported(*content_, false));
    const ExportedSpectrum& s = content_->spectra.back();
    const std::string number = content_->name.substr(content_->name.find('(') + 1);
    const std::string id = "id=\"dataset=" + number.substr(0, number.size() - 1) + " spectrum=" + std::to_string(s.number) + "\"";
    const size_t at = text.find(id);
    ASSERT_NE(at, std::string::npos) << id;
    const std::string spectrum = text.substr(at, text.find("</spectrum>", at) - at);
    EXPECT_NE(spectrum.find("defaultArrayLength=\"" + std::to_string(s.mz.size()) + "\""), std::string::npos);
    const size_t time = spectrum.find("name=\"scan start time\" value=\"");
    ASSERT_NE(time, std::string::npos);
    EXPECT_NEAR(std::stod(spectrum.substr(time + 30)), content_->secondsFromStart(s.ticks), 1e-9);
    EXPECT_NE(spectrum.find("unitAccession=\"UO:0000010\" unitName=\"second\""), std::string::npos);
    EXPECT_NE(spectrum.find("<userParam name=\"on-board time\" value=\"20"), std::string::npos);
    char csib[40];
    std::snprintf(csib, sizeof csib, "name=\"CSIB word\" value=\"0x%04X\"", s.csibWord);
    EXPECT_NE(spectrum.find(csib), std::string::npos);
    std::string path = content_->path; // "GCMS > Dataset (3)"
    path.replace(path.find('>'), 1, "&gt;");
    EXPECT_NE(text.find("name=\"dataset path\" value=\"" + path + "\""), std::string::npos);
    EXPECT_NE(text.find("<cvParam cvRef=\"MS\" accession=\"MS:1000569\" name=\"SHA-1\" value=\"" +
                        sha1Hex(fileText(ORVIK_DEMO_ARCHIVE)) + "\"/>"),
              std::string::npos);
}

TEST_F(MzmlExportTest, SpectraOnlyAndChromatogramsOnlyDatasetsAreValidAnEmptyOneIsRefused)
{
    // No valid mzML holds nothing: the index needs an entry, the file's content a term.
    DatasetContent empty;
    empty.name = "Dataset (7)";
    const std::string emptyPath = (dir.path() / "empty.mzML").string();
    EXPECT_EQ(writeMzml(empty, emptyPath, {}, {}), "nothing to export: Dataset (7) holds no spectrum and no chromatogram");
    EXPECT_FALSE(std::filesystem::exists(emptyPath));

    // A spectrum without samples among the others, and no chromatograms.
    DatasetContent spectra = *content_;
    spectra.chromatograms.clear();
    spectra.spectra[0].mz.clear();
    spectra.spectra[0].intensity.clear();
    const std::string spectraPath = exported(spectra, true, "spectra.mzML");
    expectAcceptedByFileInfo(spectraPath, spectra);
    expectIndexAndChecksumHold(fileText(spectraPath), spectra);

    // No source archive to name either.
    DatasetContent chromatograms = *content_;
    chromatograms.spectra.clear();
    const std::string chromatogramsPath = exported(chromatograms, false, "chromatograms.mzML", {});
    expectAcceptedByFileInfo(chromatogramsPath, chromatograms);
    const std::string text = fileText(chromatogramsPath);
    expectIndexAndChecksumHold(text, chromatograms);
    EXPECT_EQ(text.find("<sourceFileList"), std::string::npos);
}

TEST_F(MzmlExportTest, AnUnwritableTargetIsRefusedInOneLineAndLeavesNoFile)
{
    const std::string missing = (dir.path() / "no such folder" / "out.mzML").string();
    const auto error = writeMzml(*content_, missing, {}, {});
    ASSERT_TRUE(error);
    EXPECT_EQ(error->rfind(cannotWrite(missing, ""), 0), 0u) << *error;
    EXPECT_EQ(error->find('\n'), std::string::npos);

    // A folder in the target's place: the temporary file is written and then removed.
    const std::filesystem::path folder = dir.path() / "folder.mzML";
    std::filesystem::create_directory(folder);
    const auto refused = writeMzml(*content_, folder.string(), {}, {});
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->rfind(cannotWrite(folder.string(), ""), 0), 0u) << *refused;
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
}

} // namespace
