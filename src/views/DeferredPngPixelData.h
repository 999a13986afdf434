#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The pixels of a PNG compiled into the program, decoded only when they are first needed.

    The editor gives its buttons a picture for every state, and builds every view of a window at
    once, so most pictures are not drawn for a long while, and many never. The size and format are
    read from the PNG's header at once, so that layouts can use them; the image itself is decoded
    through the image cache, and so only once for all windows, when it is first drawn or read. */
class DeferredPngPixelData : public juce::ImagePixelData
{
public:
    /** An image of the PNG whose decoding waits for its first use; the same image for the same data
        while the image cache keeps it. A PNG whose header cannot be read is decoded at once. */
    static juce::Image createImage (const void* pngData, int pngSize);

    //==============================================================================
    std::unique_ptr<juce::LowLevelGraphicsContext> createLowLevelContext() override;
    Ptr clone() override;
    std::unique_ptr<juce::ImageType> createType() const override;
    void initialiseBitmapData (juce::Image::BitmapData&, int x, int y, juce::Image::BitmapData::ReadWriteMode) override;

    bool isDecoded() const noexcept { return decoded.isValid(); }

private:
    DeferredPngPixelData (const void* pngData, int pngSize, juce::Image::PixelFormat, int width, int height);

    juce::ImagePixelData& getDecodedPixels();

    const void* data;
    int size;
    juce::Image decoded;

    JUCE_DECLARE_NON_COPYABLE (DeferredPngPixelData)
};
