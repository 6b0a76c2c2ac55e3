// A dataset as the charts' CSV export writes a chart: "Series,X,Y", then one line per
// point, the mass spectra before the chromatograms.

#include "exports/DatasetExport.h"

#include "exports/OutputFile.h"
#include "exports/ReplacingFile.h"
#include "display/CsvField.h"

#include <charconv>

namespace orvik::exports {

namespace {

// As the charts write their numbers ("%.9g"), with '.' whatever the locale.
void appendNumber(std::string& line, double v)
{
    char text[32];
    line.append(text, std::to_chars(text, text + sizeof text, v, std::chars_format::general, 9).ptr);
}

void writeSeries(OutputFile& out, const std::string& title, const std::vector<double>& x, const std::vector<double>& y)
{
    const std::string field = display::csvField(title) + ',';
    std::string line;
    for (size_t k = 0; k < x.size() && k < y.size(); ++k) {
        line = field;
        appendNumber(line, x[k]);
        line += ',';
        appendNumber(line, y[k]);
        line += '\n';
        out.write(line);
    }
}

} // namespace

std::optional<std::string> writeDatasetCsv(const DatasetContent& content, const std::string& path)
{
    ReplacingFile target(path);
    OutputFile out;
    if (const auto error = out.open(target.temporaryPath()))
        return cannotWrite(path, *error);
    out.write("Series,X,Y\n");
    for (const ExportedSpectrum& s : content.spectra)
        writeSeries(out, "Spectrum " + std::to_string(s.number), s.mz, s.intensity);
    for (const ExportedChromatogram& c : content.chromatograms)
        writeSeries(out, "GC " + std::to_string(c.record) + " " + c.title, c.time, c.intensity);
    if (const auto error = out.close())
        return cannotWrite(path, *error);
    return target.commit();
}

} // namespace orvik::exports
