// ANDI-MS: the dataset's mass spectra as scans over retention time. Every scan's points lie in
// the two long arrays mass_values and intensity_values, from its scan_index on, point_count of
// them. The m/z values are the calibrated ones the MS chart plots, kept as doubles; the
// samples are a continuum, not centroided peaks.

#include "exports/AndiFile.h"
#include "exports/DatasetExport.h"
#include "exports/ReplacingFile.h"
#include "OrvikVersion.h"

#include <netcdf.h>

#include <algorithm>
#include <climits>
#include <numeric>

namespace orvik::exports {

namespace {

constexpr size_t instrumentTextWidth = 32;

// The instrument rows the template asks for; what a telemetry archive does not say stays empty.
const std::pair<const char*, const char*> instrumentTexts[] = {
    {"instrument_name", "ORVIK"},
    {"instrument_id", ""},
    {"instrument_mfr", ""},
    {"instrument_model", ""},
    {"instrument_serial_no", ""},
    {"instrument_sw_version", ""},
    {"instrument_fw_version", ""},
    {"instrument_os_version", ""},
    {"instrument_app_version", "ORVIK-EGSE " ORVIK_FILE_VERSION},
    {"instrument_comments", ""},
};

} // namespace

std::optional<std::string> writeAndiMs(const DatasetContent& content, const std::string& path, const ExportSource& source)
{
    const std::vector<ExportedSpectrum>& spectra = content.spectra;
    if (spectra.empty())
        return "the dataset holds no mass spectra";
    const size_t points = std::accumulate(spectra.begin(), spectra.end(), size_t(0),
                                          [](size_t sum, const ExportedSpectrum& s) { return sum + s.mz.size(); });
    if (points > size_t(INT_MAX) || spectra.size() > size_t(INT_MAX))
        return "the dataset's " + std::to_string(points) + " points are more than an ANDI-MS file can index";

    // Per scan.
    std::vector<double> time, total, massMin, massMax;
    std::vector<int> index, count, number;
    for (const ExportedSpectrum& s : spectra) {
        time.push_back(content.secondsFromStart(s.ticks));
        total.push_back(std::accumulate(s.intensity.begin(), s.intensity.end(), 0.0));
        // The m/z values ascend; a scan without points has no range and says 0 to 0.
        massMin.push_back(s.mz.empty() ? 0.0 : s.mz.front());
        massMax.push_back(s.mz.empty() ? 0.0 : s.mz.back());
        index.push_back(index.empty() ? 0 : index.back() + count.back());
        count.push_back(int(s.mz.size()));
        number.push_back(int(s.number));
    }
    // How long a sweep took, the pause after it and the resolving power are not in the
    // telemetry: netCDF's fill value, which readers take as missing.
    const std::vector<double> unknown(spectra.size(), NC_FILL_DOUBLE);
    const std::vector<int> noFlags(spectra.size(), 0);

    ReplacingFile file(path);
    AndiFile nc(file.temporaryPath());
    const int string32 = nc.dimension("_32_byte_string", instrumentTextWidth);
    const int string64 = nc.dimension("_64_byte_string", 64);
    const int scanDim = nc.dimension("scan_number", spectra.size());
    const int pointDim = nc.dimension("point_number", points);
    const int instrumentDim = nc.dimension("instrument_number", 1);
    const int errorDim = nc.dimension("error_number", 1);

    using Type = AndiFile::Type;
    const int errorLog = nc.variable("error_log", Type::Char, {errorDim, string64});
    const int timeVar = nc.variable("scan_acquisition_time", Type::Double, {scanDim});
    nc.text(timeVar, "units", "Seconds");
    const int durationVar = nc.variable("scan_duration", Type::Double, {scanDim});
    nc.text(durationVar, "units", "Seconds");
    const int interScanVar = nc.variable("inter_scan_time", Type::Double, {scanDim});
    nc.text(interScanVar, "units", "Seconds");
    const int resolutionVar = nc.variable("resolution", Type::Double, {scanDim});
    const int numberVar = nc.variable("actual_scan_number", Type::Int, {scanDim});
    const int totalVar = nc.variable("total_intensity", Type::Double, {scanDim});
    nc.text(totalVar, "units", "Arbitrary Intensity Units");
    const int massMinVar = nc.variable("mass_range_min", Type::Double, {scanDim});
    const int massMaxVar = nc.variable("mass_range_max", Type::Double, {scanDim});
    const int indexVar = nc.variable("scan_index", Type::Int, {scanDim});
    const int countVar = nc.variable("point_count", Type::Int, {scanDim});
    const int flagVar = nc.variable("flag_count", Type::Int, {scanDim});
    const int massVar = nc.variable("mass_values", Type::Double, {pointDim});
    nc.text(massVar, "units", "M/Z");
    nc.number(massVar, "scale_factor", 1.0);
    const int intensityVar = nc.variable("intensity_values", Type::Double, {pointDim});
    nc.text(intensityVar, "units", "Arbitrary Intensity Units");
    nc.number(intensityVar, "scale_factor", 1.0);
    std::vector<int> instrumentVars;
    for (const auto& [name, value] : instrumentTexts)
        instrumentVars.push_back(nc.variable(name, Type::Char, {instrumentDim, string32}));

    nc.commonAttributes(content, source);
    nc.text(AndiFile::global, "ms_template_revision", "1.0.1");
    nc.text(AndiFile::global, "administrative_comments",
            "m/z as calibrated for the MS chart; scan_duration, inter_scan_time and resolution unknown (fill value)");
    nc.text(AndiFile::global, "netcdf_file_date_time_stamp", andiTimeStampNow());
    nc.text(AndiFile::global, "experiment_date_time_stamp", andiTimeStamp(content.start().value_or(0)));
    nc.text(AndiFile::global, "experiment_type", "Continuum Mass Spectrum");
    nc.integer(AndiFile::global, "number_of_scans", int(spectra.size()));
    nc.text(AndiFile::global, "raw_data_mass_format", "Double");
    nc.text(AndiFile::global, "raw_data_time_format", "Double");
    nc.text(AndiFile::global, "raw_data_intensity_format", "Double");
    nc.text(AndiFile::global, "units", "Seconds");
    nc.endDefinitions();

    nc.putText(errorLog, 0, "", 64);
    nc.put(timeVar, time);
    nc.put(durationVar, unknown);
    nc.put(interScanVar, unknown);
    nc.put(resolutionVar, unknown);
    nc.put(numberVar, number);
    nc.put(totalVar, total);
    nc.put(massMinVar, massMin);
    nc.put(massMaxVar, massMax);
    nc.put(indexVar, index);
    nc.put(countVar, count);
    nc.put(flagVar, noFlags);
    for (size_t k = 0; k < spectra.size(); ++k) {
        nc.put(massVar, spectra[k].mz, size_t(index[k]));
        nc.put(intensityVar, spectra[k].intensity, size_t(index[k]));
    }
    for (size_t k = 0; k < instrumentVars.size(); ++k)
        nc.putText(instrumentVars[k], 0, instrumentTexts[k].second, instrumentTextWidth);

    if (const std::optional<std::string> failure = nc.close())
        return cannotWrite(path, *failure);
    return file.commit();
}

} // namespace orvik::exports
