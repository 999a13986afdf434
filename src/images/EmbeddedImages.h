#pragma once

#include "images/DeferredPngPixelData.h"

/** The editor's pictures are PNGs compiled into the program; each is decoded when it is first drawn,
    once for every document window. */
namespace EmbeddedImages
{
/** Where one embedded PNG lies in the program's binary data. */
struct Png
{
    const char* data;
    int size;
};

inline juce::Image load (Png png) { return DeferredPngPixelData::createImage (png.data, png.size); }

/** The same, for a picture that the window draws as soon as it is shown: decoding starts at once on
    the background decoding thread. */
inline juce::Image loadForFirstPaint (Png png)
{
    auto image = load (png);
    DeferredPngPixelData::decodeSoon (image);
    return image;
}

/** Gives an image button its normal, hover and pressed pictures at full opacity, sizes the button to
    the normal picture and lets every point inside the button hit, whatever the picture's alpha. */
inline void setButtonImages (juce::ImageButton& button, const juce::Image& normal, const juce::Image& over,
                             const juce::Image& down)
{
    const auto noOverlay = juce::Colours::transparentBlack;
    constexpr float opaque = 1.0f;
    constexpr float everyPointHits = 0.0f;

    // A button shows its normal picture first; the others wait until they are needed.
    DeferredPngPixelData::decodeSoon (normal);

    button.setImages (true, true, true, normal, opaque, noOverlay, over, opaque, noOverlay, down, opaque, noOverlay,
                      everyPointHits);
}
} // namespace EmbeddedImages

/** The embedded PNG of a resource file name without its extension, checked when compiled. */
#define ZKM_EMBEDDED_PNG(name) (EmbeddedImages::Png{ BinaryData::name##_png, BinaryData::name##_pngSize })
