#pragma once
// Science-stream records that carry a GC run: the "CSIB(Par)" record with its
// GC parameter block from word 45 and the "CSIB(Cfg)" record with its GC
// configuration block from word 60. The words around the blocks show where they
// came from, so a block read from the wrong place shows.

#include "tests/archive/ArchiveBuilder.h"

namespace orvik::test {

inline Words parameterRecord(const Words& p)
{
    Words w = counting(45, 0x0100);
    w.insert(w.end(), p.begin(), p.end());
    return w;
}

inline Words configurationRecord(const Words& c)
{
    Words w = counting(60, 0x0200);
    w.insert(w.end(), c.begin(), c.end());
    w.resize(90, 0xEEEE);
    return w;
}

// The report's edge cases in one run: p[0] = 200, duration word 0x0021, sample
// source 0, channels 0x1702, head pressure 0x12DD.
inline const Words edgeParameters = {200, 2, 3, 4, 5, 6, 7, 8, 1234, 0x1E3C};
inline const Words edgeConfiguration = {0xFFFF, 9, 0x0021, 0, 1500, 0, 0x1702, 0x12DD};

// A GC dataset holding that run, then an MS dataset with a spectrum and no run.
inline ScienceStreamBuilder gcRunStream()
{
    ScienceStreamBuilder science;
    science.tc(gcCommand).ti(5).pd(parameterRecord(edgeParameters)).cd(configurationRecord(edgeConfiguration));
    science.tc(msCommand).spectrum(Tag::MS, 0, {1, 2});
    return science;
}

} // namespace orvik::test
