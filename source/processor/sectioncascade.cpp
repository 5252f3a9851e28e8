#include "sectioncascade.h"

namespace qz {

namespace {

bool runs(double gainDb)
{
    return gainDb < 0.0 || gainDb > 0.0;
}

void runSection(const SectionArrays& sections, int s, double* x, int numSamples)
{
    const double b0 = sections.b0[s], b1 = sections.b1[s], b2 = sections.b2[s];
    const double a1 = sections.a1[s], a2 = sections.a2[s];
    double w1 = sections.w1[s], w2 = sections.w2[s];
    for (int j = 0; j < numSamples; ++j)
    {
        const double w = (x[j] + kAntiDenormal) - (a1 * w1 + a2 * w2);
        x[j] = (b2 * w2 + b1 * w1) + b0 * w;
        w2 = w1;
        w1 = w;
    }
    sections.w1[s] = w1;
    sections.w2[s] = w2;
}

} // namespace

void runSections(const SectionArrays& sections, double* left, double* right, int numSamples)
{
    const int perChannel = sections.sectionsPerChannel;
    for (int band = 0; band < perChannel; ++band)
    {
        if (runs(sections.gainDb[band]))
            runSection(sections, band, left, numSamples);
        if (runs(sections.gainDb[band + perChannel]))
            runSection(sections, band + perChannel, right, numSamples);
    }
}

} // namespace qz
