// A dataset as an indexed mzML 1.1 document, written as it goes: the spectra and
// chromatograms one after the other, then the index of their offsets and the SHA-1 of
// everything before it.
//
// What the archive cannot say is said generically: the instrument's model, source,
// analyser and detector are the bare category terms. The vocabulary knows no file format
// like the archive and demands one of its own: the archive is given as a "parameter
// file", the one term of them that claims no vendor and no syntax, and a user parameter
// names what it really is; it gives its spectra no native identifiers ("no nativeID
// format"), and our ids name dataset and spectrum. A GC detector channel measures neither
// ions nor pressure nor flow, the other chromatogram types: its chromatogram is an
// "electromagnetic radiation chromatogram", the type readers take for a trace of a detector
// other than the mass spectrometer, titled with its channel.
//
// A dataset with neither spectra nor chromatograms is refused: the index needs an entry
// and the file's content a term, so no valid file, indexed or not, can hold it.

#include "exports/DatasetExport.h"

#include "exports/MzmlBinary.h"
#include "exports/OutputFile.h"
#include "exports/ReplacingFile.h"
#include "exports/XmlText.h"
#include "archive/OnBoardTime.h"

#include "OrvikVersion.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <numeric>

namespace orvik::exports {

namespace {

struct Term {
    const char* accession;
    const char* name;
};

// PSI-MS and unit ontology terms, as the vocabularies name them.
constexpr Term ms1Spectrum{"MS:1000579", "MS1 spectrum"};
constexpr Term msLevel{"MS:1000511", "ms level"};
constexpr Term profileSpectrum{"MS:1000128", "profile spectrum"};
constexpr Term basePeakMz{"MS:1000504", "base peak m/z"};
constexpr Term basePeakIntensity{"MS:1000505", "base peak intensity"};
constexpr Term totalIonCurrent{"MS:1000285", "total ion current"};
constexpr Term lowestMz{"MS:1000528", "lowest observed m/z"};
constexpr Term highestMz{"MS:1000527", "highest observed m/z"};
constexpr Term noCombination{"MS:1000795", "no combination"};
constexpr Term scanStartTime{"MS:1000016", "scan start time"};
constexpr Term mzArray{"MS:1000514", "m/z array"};
constexpr Term intensityArray{"MS:1000515", "intensity array"};
constexpr Term timeArray{"MS:1000595", "time array"};
constexpr Term float64{"MS:1000523", "64-bit float"};
constexpr Term zlibCompression{"MS:1000574", "zlib compression"};
constexpr Term noCompression{"MS:1000576", "no compression"};
constexpr Term detectorChromatogram{"MS:1000811", "electromagnetic radiation chromatogram"};
constexpr Term chromatogramTitle{"MS:1000809", "chromatogram title"};
constexpr Term noNativeId{"MS:1000824", "no nativeID format"};
constexpr Term parameterFile{"MS:1000740", "parameter file"};
constexpr Term sha1{"MS:1000569", "SHA-1"};
constexpr Term customSoftware{"MS:1000799", "custom unreleased software tool"};
constexpr Term instrumentModel{"MS:1000031", "instrument model"};
constexpr Term ionizationType{"MS:1000008", "ionization type"};
constexpr Term massAnalyzerType{"MS:1000443", "mass analyzer type"};
constexpr Term detectorType{"MS:1000026", "detector type"};
constexpr Term conversionToMzml{"MS:1000544", "Conversion to mzML"};
constexpr Term mzCalibration{"MS:1001485", "m/z calibration"};

struct Unit {
    const char* cv;
    Term term;
};
constexpr Unit mz{"MS", {"MS:1000040", "m/z"}};
constexpr Unit detectorCounts{"MS", {"MS:1000131", "number of detector counts"}};
constexpr Unit second{"UO", {"UO:0000010", "second"}};

constexpr const char* softwareId = "orvik-egse";
constexpr const char* instrumentId = "ORVIK";
constexpr const char* processingId = "orvik_export";
constexpr const char* sourceFileId = "archive";

// The N of "Dataset (N)", or the node id for a name without one.
std::string datasetNumber(const DatasetContent& content)
{
    const size_t open = content.name.rfind('(');
    const size_t close = content.name.rfind(')');
    if (open != std::string::npos && close == content.name.size() - 1 && close > open + 1) {
        const std::string digits = content.name.substr(open + 1, close - open - 1);
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return digits;
    }
    return xmlNumber(uint64_t(content.dataset));
}

std::string isoTime(int64_t ticks)
{
    std::string text = formatOnBoardTime(ticks, "%Y-%m-%dT%H:%M:%S");
    std::replace(text.begin(), text.end(), ',', '.');
    return text + "Z";
}

// "file:///folder" with the characters a URI cannot hold as they are percent-encoded.
std::string fileUri(const std::filesystem::path& folder)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const unsigned char c : folder.generic_string()) {
        if (std::isalnum(c) || std::string_view("/-._~").find(char(c)) != std::string_view::npos) {
            uri += char(c);
        } else {
            uri += '%';
            uri += digits[c >> 4];
            uri += digits[c & 15];
        }
    }
    return uri;
}

struct Peaks {
    double lowest = 0, highest = 0, baseMz = 0, baseIntensity = 0, total = 0;
};

Peaks peaksOf(const ExportedSpectrum& s)
{
    Peaks p;
    if (s.mz.empty())
        return p;
    const auto [low, high] = std::minmax_element(s.mz.begin(), s.mz.end());
    p.lowest = *low;
    p.highest = *high;
    const size_t base = size_t(std::max_element(s.intensity.begin(), s.intensity.end()) - s.intensity.begin());
    p.baseMz = s.mz[base];
    p.baseIntensity = s.intensity[base];
    p.total = std::accumulate(s.intensity.begin(), s.intensity.end(), 0.0);
    return p;
}

class MzmlDocument {
public:
    MzmlDocument(OutputFile& out, const DatasetContent& content, bool zlib)
        : out_(out), content_(content), binary_(zlib), zlib_(zlib), number_(datasetNumber(content))
    {
    }

    void write(const ExportSource& source)
    {
        out_.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                   "<indexedmzML xmlns=\"http://psi.hupo.org/ms/mzml\" "
                   "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                   "xsi:schemaLocation=\"http://psi.hupo.org/ms/mzml "
                   "http://psidev.info/files/ms/mzML/xsd/mzML1.1.2_idx.xsd\">\n"
                   "  <mzML xmlns=\"http://psi.hupo.org/ms/mzml\" "
                   "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                   "xsi:schemaLocation=\"http://psi.hupo.org/ms/mzml "
                   "http://psidev.info/files/ms/mzML/xsd/mzML1.1.0.xsd\" version=\"1.1.0\">\n"
                   "    <cvList count=\"2\">\n"
                   "      <cv id=\"MS\" fullName=\"Proteomics Standards Initiative Mass Spectrometry Ontology\" "
                   "version=\"4.1.28\" URI=\"https://raw.githubusercontent.com/HUPO-PSI/psi-ms-CV/master/psi-ms.obo\"/>\n"
                   "      <cv id=\"UO\" fullName=\"Unit Ontology\" "
                   "URI=\"http://ontologies.berkeleybop.org/uo.obo\"/>\n"
                   "    </cvList>\n");
        fileDescription(source);
        out_.write("    <softwareList count=\"1\">\n"
                   "      <software id=\"" + std::string(softwareId) + "\" version=\"" ORVIK_FILE_VERSION "\">\n");
        cv(8, customSoftware, "ORVIK-EGSE");
        out_.write("      </software>\n"
                   "    </softwareList>\n"
                   "    <instrumentConfigurationList count=\"1\">\n"
                   "      <instrumentConfiguration id=\"" + std::string(instrumentId) + "\">\n");
        cv(8, instrumentModel);
        user(8, "instrument", "ORVIK");
        out_.write("        <componentList count=\"3\">\n"
                   "          <source order=\"1\">\n");
        cv(12, ionizationType);
        out_.write("          </source>\n"
                   "          <analyzer order=\"2\">\n");
        cv(12, massAnalyzerType);
        out_.write("          </analyzer>\n"
                   "          <detector order=\"3\">\n");
        cv(12, detectorType);
        out_.write("          </detector>\n"
                   "        </componentList>\n"
                   "      </instrumentConfiguration>\n"
                   "    </instrumentConfigurationList>\n"
                   "    <dataProcessingList count=\"1\">\n"
                   "      <dataProcessing id=\"" + std::string(processingId) + "\">\n"
                   "        <processingMethod order=\"0\" softwareRef=\"" + softwareId + "\">\n");
        if (!content_.spectra.empty())
            cv(10, mzCalibration);
        cv(10, conversionToMzml);
        out_.write("        </processingMethod>\n"
                   "      </dataProcessing>\n"
                   "    </dataProcessingList>\n");
        run();
        out_.write("  </mzML>\n");
        index();
    }

private:
    void cv(int indent, Term t, std::string_view value = {}, const Unit* unit = nullptr)
    {
        std::string line(size_t(indent), ' ');
        line += "<cvParam cvRef=\"MS\" accession=\"";
        line += t.accession;
        line += "\" name=\"";
        line += t.name;
        line += "\" value=\"";
        line += value;
        line += '"';
        if (unit) {
            line += " unitCvRef=\"";
            line += unit->cv;
            line += "\" unitAccession=\"";
            line += unit->term.accession;
            line += "\" unitName=\"";
            line += unit->term.name;
            line += '"';
        }
        line += "/>\n";
        out_.write(line);
    }
    void cv(int indent, Term t, double value, const Unit& unit) { cv(indent, t, xmlNumber(value), &unit); }
    void user(int indent, std::string_view name, std::string_view value, std::string_view type = "xsd:string")
    {
        out_.write(std::string(size_t(indent), ' ') + "<userParam name=\"" + xmlEscaped(name) + "\" value=\"" +
                   xmlEscaped(value) + "\" type=\"" + std::string(type) + "\"/>\n");
    }

    void fileDescription(const ExportSource& source)
    {
        out_.write("    <fileDescription>\n"
                   "      <fileContent>\n");
        if (!content_.spectra.empty())
            cv(8, ms1Spectrum);
        if (!content_.chromatograms.empty())
            cv(8, detectorChromatogram);
        out_.write("      </fileContent>\n");
        // Without its checksum the source cannot be described validly: an archive that cannot
        // be read again, has changed since (or none) leaves the list out.
        const bool readable = !source.archivePath.empty() && !source.archiveChanged;
        const std::optional<std::string> digest =
            source.archiveSha1 ? source.archiveSha1 : readable ? fileSha1Hex(source.archivePath) : std::nullopt;
        if (digest) {
            const std::filesystem::path archive = std::filesystem::absolute(source.archivePath);
            out_.write("      <sourceFileList count=\"1\">\n"
                       "        <sourceFile id=\"" + std::string(sourceFileId) + "\" name=\"" +
                       xmlEscaped(archive.filename().string()) + "\" location=\"" +
                       xmlEscaped(fileUri(archive.parent_path())) + "\">\n");
            cv(10, noNativeId);
            cv(10, parameterFile);
            cv(10, sha1, *digest);
            user(10, "file format", "ORVIK telemetry packet archive");
            out_.write("        </sourceFile>\n"
                       "      </sourceFileList>\n");
        }
        out_.write("    </fileDescription>\n");
    }

    void run()
    {
        std::string head = "    <run id=\"dataset_" + number_ + "\" defaultInstrumentConfigurationRef=\"" + instrumentId + '"';
        if (const auto start = content_.start())
            head += " startTimeStamp=\"" + isoTime(*start) + '"';
        out_.write(head + ">\n");
        user(6, "dataset name", content_.name);
        user(6, "dataset path", content_.path);
        std::string words;
        for (const uint16_t w : content_.telecommand) {
            if (!words.empty())
                words += ' ';
            words += hexWord(w);
        }
        user(6, "telecommand words", words);
        if (content_.dacChannelWord)
            user(6, "DAC channel word", hexWord(*content_.dacChannelWord));
        if (!content_.spectra.empty()) {
            out_.write("      <spectrumList count=\"" + xmlNumber(uint64_t(content_.spectra.size())) +
                       "\" defaultDataProcessingRef=\"" + processingId + "\">\n");
            for (size_t k = 0; k < content_.spectra.size(); ++k)
                spectrum(k, content_.spectra[k]);
            out_.write("      </spectrumList>\n");
        }
        if (!content_.chromatograms.empty()) {
            out_.write("      <chromatogramList count=\"" + xmlNumber(uint64_t(content_.chromatograms.size())) +
                       "\" defaultDataProcessingRef=\"" + processingId + "\">\n");
            for (size_t k = 0; k < content_.chromatograms.size(); ++k)
                chromatogram(k, content_.chromatograms[k]);
            out_.write("      </chromatogramList>\n");
        }
        out_.write("    </run>\n");
    }

    void spectrum(size_t index, const ExportedSpectrum& s)
    {
        const std::string id = "dataset=" + number_ + " spectrum=" + xmlNumber(uint64_t(s.number));
        out_.write("        ");
        spectrumOffsets_.push_back({id, out_.offset()});
        out_.write("<spectrum index=\"" + xmlNumber(uint64_t(index)) + "\" id=\"" + id + "\" defaultArrayLength=\"" +
                   xmlNumber(uint64_t(s.mz.size())) + "\">\n");
        cv(10, msLevel, "1");
        cv(10, ms1Spectrum);
        cv(10, profileSpectrum);
        const Peaks p = peaksOf(s);
        if (!s.mz.empty()) {
            cv(10, basePeakMz, p.baseMz, mz);
            cv(10, basePeakIntensity, p.baseIntensity, detectorCounts);
        }
        cv(10, totalIonCurrent, xmlNumber(p.total));
        if (!s.mz.empty()) {
            cv(10, lowestMz, p.lowest, mz);
            cv(10, highestMz, p.highest, mz);
        }
        user(10, "CSIB word", hexWord(s.csibWord));
        out_.write("          <scanList count=\"1\">\n");
        cv(12, noCombination);
        out_.write("            <scan>\n");
        cv(14, scanStartTime, content_.secondsFromStart(s.ticks), second);
        user(14, "on-board time", isoTime(s.ticks), "xsd:dateTime");
        out_.write("            </scan>\n"
                   "          </scanList>\n"
                   "          <binaryDataArrayList count=\"2\">\n");
        array(s.mz, mzArray, mz);
        array(s.intensity, intensityArray, detectorCounts);
        out_.write("          </binaryDataArrayList>\n"
                   "        </spectrum>\n");
    }

    void chromatogram(size_t index, const ExportedChromatogram& c)
    {
        const std::string id = "dataset=" + number_ + " record=" + xmlNumber(uint64_t(c.record)) + " " + c.title;
        out_.write("        ");
        chromatogramOffsets_.push_back({id, out_.offset()});
        out_.write("<chromatogram index=\"" + xmlNumber(uint64_t(index)) + "\" id=\"" + xmlEscaped(id) +
                   "\" defaultArrayLength=\"" + xmlNumber(uint64_t(c.time.size())) + "\">\n");
        cv(10, detectorChromatogram);
        cv(10, chromatogramTitle, xmlEscaped(c.title));
        user(10, "on-board time", isoTime(c.ticks), "xsd:dateTime");
        user(10, "seconds from dataset start", xmlNumber(content_.secondsFromStart(c.ticks)), "xsd:double");
        out_.write("          <binaryDataArrayList count=\"2\">\n");
        array(c.time, timeArray, second);
        array(c.intensity, intensityArray, detectorCounts);
        out_.write("          </binaryDataArrayList>\n"
                   "        </chromatogram>\n");
    }

    void array(const std::vector<double>& values, Term kind, const Unit& unit)
    {
        const std::span<const uint8_t> bytes = binary_.bytes(values);
        out_.write("            <binaryDataArray encodedLength=\"" + xmlNumber(uint64_t(base64Length(bytes.size()))) +
                   "\">\n");
        cv(14, float64);
        cv(14, zlib_ ? zlibCompression : noCompression);
        cv(14, kind, {}, &unit);
        out_.write("              <binary>");
        writeBase64(out_, bytes);
        out_.write("</binary>\n"
                   "            </binaryDataArray>\n");
    }

    struct Offset {
        std::string id;
        uint64_t at;
    };
    void indexOf(const char* name, const std::vector<Offset>& offsets)
    {
        if (offsets.empty())
            return;
        out_.write(std::string("    <index name=\"") + name + "\">\n");
        for (const Offset& o : offsets)
            out_.write("      <offset idRef=\"" + xmlEscaped(o.id) + "\">" + xmlNumber(o.at) + "</offset>\n");
        out_.write("    </index>\n");
    }

    void index()
    {
        const uint64_t listAt = out_.offset() + 2;
        const int count = int(!spectrumOffsets_.empty()) + int(!chromatogramOffsets_.empty());
        out_.write("  <indexList count=\"" + std::to_string(count) + "\">\n");
        indexOf("spectrum", spectrumOffsets_);
        indexOf("chromatogram", chromatogramOffsets_);
        out_.write("  </indexList>\n"
                   "  <indexListOffset>" + xmlNumber(listAt) + "</indexListOffset>\n"
                   "  <fileChecksum>");
        out_.write(out_.sha1Hex() + "</fileChecksum>\n"
                   "</indexedmzML>\n");
    }

    OutputFile& out_;
    const DatasetContent& content_;
    MzmlBinary binary_;
    bool zlib_;
    std::string number_;
    std::vector<Offset> spectrumOffsets_;
    std::vector<Offset> chromatogramOffsets_;
};

} // namespace

std::optional<std::string> writeMzml(const DatasetContent& content, const std::string& path, const ExportSource& source,
                                     const ExportOptions& options)
{
    if (content.spectra.empty() && content.chromatograms.empty())
        return "nothing to export: " + content.name + " holds no spectrum and no chromatogram";
    ReplacingFile target(path);
    OutputFile out(true);
    if (const auto error = out.open(target.temporaryPath()))
        return cannotWrite(path, *error);
    MzmlDocument(out, content, options.zlib).write(source);
    if (const auto error = out.close())
        return cannotWrite(path, *error);
    return target.commit();
}

} // namespace orvik::exports
