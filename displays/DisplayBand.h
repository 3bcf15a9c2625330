#pragma once

#include <QString>
#include <cstdint>

// The band of the audio passband shown by the waterfall and the spectrum, and the
// conversions between Hz, FFT bins and pixels. Everything is integer arithmetic
// truncating toward zero, as the original drew it, so pixel positions match exactly.
struct DisplayBand
{
    static constexpr int kFftSize = 2048;        // engine FFT points
    static constexpr int kSampleRateHz = 8000;
    static constexpr int kBins = kFftSize / 2;   // bins 0..1023 held in the displays' FFT data
    static constexpr int kLowestEdgeHz = 1;      // a left shift never goes below this
    static constexpr int kHighestEdgeHz = 3500;  // a right shift never goes above this
    static constexpr int kShiftLimitLowHz = 100; // LeftBtn enabled while WFMin is above this
    static constexpr int kShiftHz = 100;

    int WFMin = 100;
    int WFMax = 3500;

    int bandWidth() const { return WFMax - WFMin; }
    int firstBin() const { return WFMin * kFftSize / kSampleRateHz; }
    int lastBin() const { return WFMax * kFftSize / kSampleRateHz; }
    int binSpan() const { return lastBin() - firstBin(); }

    // Click-to-tune and the read-out: x is the mouse position inside a display of width W.
    int pixelToHz(int x, int width) const { return x * bandWidth() / width + WFMin; }
    // Channel markers; the product is taken in 64 bits so that no field value or
    // display width can overflow it.
    int hzToPixel(int hz, int width) const
    {
        return static_cast<int>(int64_t(hz - WFMin) * width / bandWidth());
    }
    // Waterfall and spectrum columns.
    int binToPixel(int bin, int width) const { return (bin - firstBin()) * width / binSpan(); }

    // The 100 Hz shifts: the lower edge stops at 1 Hz, the upper at 3500 Hz (the band
    // then narrows).
    void shiftLeft();
    void shiftRight();
    // The mappings need edges within 1-3500 Hz (so that the bins lie inside the FFT data)
    // and at least one bin between them. The dialog and the shifts keep to this; a
    // band read from a damaged or partly read store may not.
    bool isMappable() const
    {
        // Edges first: within them no bin product can overflow.
        return WFMin >= kLowestEdgeHz && WFMax <= kHighestEdgeHz && WFMin < WFMax && binSpan() > 0;
    }

    // The shift rule: each button is offered only while its shift keeps the band as wide.
    bool canShiftLeft() const { return WFMin > kShiftLimitLowHz; }
    bool canShiftRight() const { return WFMax < kHighestEdgeHz; }

    bool operator==(const DisplayBand &) const = default;
};

// Status panel 1 while the mouse moves over a display: "1234Hz".
QString frequencyReadout(int hz);

// Left edge, in its panel, of the small label riding on a channel marker drawn at
// column markerX of a display `displayWidth` wide: markerX - offset, or entirely left
// of the panel when the channel lies outside the band (its marker is not drawn).
int channelLabelLeft(int markerX, int displayWidth, int offset, int labelWidth);
