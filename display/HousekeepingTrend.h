#pragma once
// Housekeeping trends: parameters of the regular housekeeping over a whole archive.
// Every "Regular HK" packet gives two samples, one per 64-word half, stamped with
// the on-board time of that half's LOBT words. Samples are kept in time order
// (stable, so samples of equal time stay in file order); a sample without LOBT
// words has no place on a time axis and is left out.
//
// A parameter's value in a sample is the one the "Regular HK" list view shows.
// Only the parameters of that list (key 1812, words 0..63 of a half) are part of
// these samples: any other of the 94 descriptors (internal extension, science
// packet) has no value in them, so its series is empty. A sample whose packet does
// not hold the parameter's word gives no point for that parameter.

#include "archive/ArchiveDocument.h"
#include "display/ComponentModel.h"
#include "display/HkParameter.h"
#include "display/HousekeepingCsv.h"
#include "display/Parameters.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace orvik::display {

struct TrendSample {
    WordView block;
    int half;
    int64_t ticks;
};

// The regular housekeeping samples of the archive in time order.
std::vector<TrendSample> trendSamples(const ArchiveDocument& doc);

// The descriptor with that mnemonic among the 94, or none.
const HkParameter* parameterNamed(std::string_view mnemonic);

// The parameter's engineering value in the sample; nothing for a parameter outside
// the regular housekeeping or a word the packet does not hold.
std::optional<float> trendValue(const HkParameter& d, const TrendSample& sample);

// Seconds since 1970-01-01 00:00:00 UTC of an on-board time.
double unixSeconds(int64_t ticks);

// The parameter's series: x the sample's time in seconds since 1970-01-01 UTC, y its value.
std::vector<ChartPoint> trendPoints(const HkParameter& d, std::span<const TrendSample> samples);

// The series as comma-separated values: the header of the housekeeping CSV for
// these parameters ("LOBT [UTC]", "MNEMONIC [UNIT]"), then one line per sample with
// its time and the parameters' values ("-" where a parameter has no point).
// False when the sink could not take the text.
bool writeTrendCsv(std::span<const TrendSample> samples, const HkParameterList& parameters, const CsvSink& sink);

} // namespace orvik::display
