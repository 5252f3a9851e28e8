#include "dsp/peakingdesign.h"

#include <cmath>

namespace qz {

BiquadCoefficients designPeakingSection(double centreHz, double gainDb, double bandwidthHz,
                                        double sampleRate)
{
    constexpr double twoPi = 6.283185307179586;
    constexpr double piSquared = 9.869604401089358;

    const double w0 = twoPi * centreHz * (1.0 / sampleRate);
    const double dw = twoPi * bandwidthHz * (1.0 / sampleRate);

    const double v = std::fabs(gainDb);
    const double G = std::pow(10.0, 0.05 * v);
    // Band edges 3 dB below a peak above 6 dB, at half the peak in dB otherwise.
    const double GB = v > 6.0 ? std::exp2(0.16609640474436813 * v - 0.4982892142331044)
                              : std::exp2(0.08304820237218406 * v);

    const double T0 = std::tan(w0 / 2.0);
    const double TB = std::tan(dw / 2.0);

    const double G2 = G * G;
    const double GB2 = GB * GB;
    const double q = dw * dw * piSquared * (GB2 - 1.0) / (G2 - GB2);
    const double U = (w0 * w0 - piSquared) * (w0 * w0 - piSquared);
    const double G1 = std::sqrt((q * G2 + U) / (q + U));

    const double G00 = G2 - 1.0;
    const double G11 = G2 - G1 * G1;
    const double F00 = GB2 - 1.0;
    const double F11 = std::fabs(GB2 - G1 * G1);
    const double F01 = std::fabs(GB2 - G1);
    const double G01 = std::fabs(G2 - G1);
    const double F = std::fabs(G2 - GB2);

    const double W2 = std::sqrt(G11 / G00) * (T0 * T0);
    const double DW = (1.0 + std::sqrt(F00 / F11) * W2) * TB;

    const double K = DW * DW * F11 - 2.0 * W2 * (F01 - std::sqrt(F00 * F11));
    const double L = 2.0 * W2 * (G01 - std::sqrt(G00 * G11));

    const double A = std::sqrt((K + L) / F);
    const double B = std::sqrt((G2 * K + GB2 * L) / F);

    BiquadCoefficients c;
    if (gainDb > 0.0)
    {
        const double den = 1.0 + W2 + A;
        c = {(G1 + W2 + B) / den, -2.0 * (G1 - W2) / den, (G1 + W2 - B) / den,
             (2.0 * W2 - 2.0) / den, (1.0 + W2 - A) / den};
    }
    else
    {
        const double N = G1 + W2 + B;
        c = {(1.0 + W2 + A) / N, (2.0 * W2 - 2.0) / N, (1.0 + W2 - A) / N, -2.0 * (G1 - W2) / N,
             (G1 + W2 - B) / N};
    }
    // Within about 1e-14 dB of 0 the differences above round to zero and the design divides 0 by
    // 0; the limit of a vanishing gain is the section that passes its input unchanged.
    const bool finite = std::isfinite(c.b0) && std::isfinite(c.b1) && std::isfinite(c.b2) &&
                        std::isfinite(c.a1) && std::isfinite(c.a2);
    return finite ? c : BiquadCoefficients{1.0, 0.0, 0.0, 0.0, 0.0};
}

double magnitudeAt(const BiquadCoefficients& c, double frequencyHz, double sampleRate)
{
    const double w = 6.283185307179586 * frequencyHz / sampleRate;
    const std::complex<double> z1 = std::polar(1.0, -w);
    const std::complex<double> z2 = z1 * z1;
    return std::abs((c.b0 + c.b1 * z1 + c.b2 * z2) / (1.0 + c.a1 * z1 + c.a2 * z2));
}

} // namespace qz
