// ANDI chromatography: one chromatogram series (one GC column and range) as the detector's
// ordinate_values over retention time, counted from the GC record's start as the GC chart
// plots it.
//
// A series takes every eighth sample of the record when its column is named by one DAC
// channel: equally spaced points. A column named by several DAC channels gathers their
// interleaved samples, and its points are not equally spaced (channels 1 and 3 give steps of
// 2 and 6 sample times). So every file carries the exact time of each point in
// raw_data_retention, and ordinate_values says in uniform_sampling_flag whether
// actual_sampling_interval alone describes them ("Y": the one step) or not ("N": the
// interval is the mean step, first to last point).

#include "exports/AndiFile.h"
#include "exports/DatasetExport.h"
#include "exports/ReplacingFile.h"

#include <algorithm>
#include <cmath>

namespace orvik::exports {

namespace {

struct Sampling {
    double interval = 0; // 0 with fewer than two points: no step to tell
    bool uniform = true;
};

Sampling samplingOf(const std::vector<double>& time)
{
    if (time.size() < 2)
        return {};
    const double first = time[1] - time[0];
    // The times are sample numbers × the sample time, so equal steps agree to rounding.
    const bool uniform = std::adjacent_find(time.begin(), time.end(), [first](double a, double b) {
                             return std::abs((b - a) - first) > 1e-9 * first;
                         }) == time.end();
    return {uniform ? first : (time.back() - time.front()) / double(time.size() - 1), uniform};
}

} // namespace

std::optional<std::string> writeAndiChromatogram(const DatasetContent& content, size_t chromatogram,
                                                 const std::string& path, const ExportSource& source)
{
    const size_t held = content.chromatograms.size();
    if (held == 0)
        return content.gcRecordsWithoutColumns == 0
                   ? "the dataset holds no chromatograms"
                   : "the dataset holds no chromatograms: no configuration names the columns of its " +
                         std::to_string(content.gcRecordsWithoutColumns) + " GC records";
    if (chromatogram >= held)
        return "the dataset holds " + std::to_string(held) + " chromatograms (0 to " + std::to_string(held - 1) +
               "), not " + std::to_string(chromatogram);
    const ExportedChromatogram& c = content.chromatograms[chromatogram];
    const Sampling sampling = samplingOf(c.time);
    const auto [low, high] = std::minmax_element(c.intensity.begin(), c.intensity.end());

    ReplacingFile file(path);
    AndiFile nc(file.temporaryPath());
    const int string64 = nc.dimension("_64_byte_string", 64);
    const int errorDim = nc.dimension("error_number", 1);
    const int pointDim = nc.dimension("point_number", c.time.size());

    using Type = AndiFile::Type;
    const int errorLog = nc.variable("error_log", Type::Char, {errorDim, string64});
    const int intervalVar = nc.variable("actual_sampling_interval", Type::Double);
    const int delayVar = nc.variable("actual_delay_time", Type::Double);
    const int lengthVar = nc.variable("actual_run_time_length", Type::Double);
    const int maximumVar = nc.variable("detector_maximum_value", Type::Double);
    const int minimumVar = nc.variable("detector_minimum_value", Type::Double);
    const int ordinateVar = nc.variable("ordinate_values", Type::Double, {pointDim});
    nc.text(ordinateVar, "uniform_sampling_flag", sampling.uniform ? "Y" : "N");
    const int retentionVar = nc.variable("raw_data_retention", Type::Double, {pointDim});

    nc.commonAttributes(content, source);
    nc.text(AndiFile::global, "aia_template_revision", "1.0");
    nc.text(AndiFile::global, "administrative_comments",
            "GC record " + std::to_string(c.record) + " of the dataset, series " + c.title +
                "; retention from the record's start; raw_data_retention holds every point's time");
    nc.text(AndiFile::global, "dataset_date_time_stamp", andiTimeStampNow());
    nc.text(AndiFile::global, "injection_date_time_stamp", andiTimeStamp(c.ticks));
    nc.text(AndiFile::global, "separation_experiment_type", "Gas Chromatography");
    nc.text(AndiFile::global, "detector_name", c.title);
    nc.text(AndiFile::global, "detector_unit", "Counts");
    nc.text(AndiFile::global, "raw_data_table_name", c.title);
    nc.text(AndiFile::global, "retention_unit", "Seconds");
    nc.endDefinitions();

    nc.putText(errorLog, 0, "", 64);
    nc.put(intervalVar, sampling.interval);
    nc.put(delayVar, c.time.empty() ? 0.0 : c.time.front());
    nc.put(lengthVar, c.time.empty() ? 0.0 : c.time.back() - c.time.front());
    nc.put(maximumVar, c.intensity.empty() ? 0.0 : *high);
    nc.put(minimumVar, c.intensity.empty() ? 0.0 : *low);
    nc.put(ordinateVar, c.intensity);
    nc.put(retentionVar, c.time);

    if (const std::optional<std::string> failure = nc.close())
        return cannotWrite(path, *failure);
    return file.commit();
}

} // namespace orvik::exports
