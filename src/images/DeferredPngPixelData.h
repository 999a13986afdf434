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

    /** Has the picture decoded on the background decoding thread, ahead of its first paint. Does
        nothing for an image that is not a deferred picture or is decoded or queued already. */
    static void decodeSoon (const juce::Image& image);

    /** Links a deferred picture to the same picture with twice the pixels each way, so that code
        handed only the first can draw the second (ScalableImage::of). Message thread only. */
    static void setDoubleResolution (const juce::Image& image, const juce::Image& doubleImage);

    /** The picture linked by setDoubleResolution, or a null image. */
    static juce::Image getDoubleResolution (const juce::Image& image);

    /** True for a deferred picture whose every pixel is fully transparent, such as a region that
        shows nothing until it is hovered: drawing it changes nothing, so it need not be drawn.
        Decodes the picture if it is not yet. False for any other image. */
    static bool isFullyTransparent (const juce::Image& image);

    //==============================================================================
    std::unique_ptr<juce::LowLevelGraphicsContext> createLowLevelContext() override;
    Ptr clone() override;
    std::unique_ptr<juce::ImageType> createType() const override;
    void initialiseBitmapData (juce::Image::BitmapData&, int x, int y, juce::Image::BitmapData::ReadWriteMode) override;

    bool isDecoded() const noexcept { return decoded.isValid(); }

    /** True once the picture is decoded, or waits for or is being decoded on the background thread:
        whether its pixels take memory or soon will. */
    bool isDecodedOrQueued() const;

    /** Called by the background decoding thread: decodes the picture unless the message thread has
        taken it over. */
    void decodeOnBackgroundThread();

private:
    enum class BackgroundDecoding
    {
        none,
        queued,
        running,
        finished
    };

    DeferredPngPixelData (const void* pngData, int pngSize, juce::Image::PixelFormat, int width, int height,
                          bool isBlank);

    juce::ImagePixelData& getDecodedPixels();
    juce::Image takeBackgroundResult();
    juce::Image decodePng() const;

    const void* data;
    int size;
    const bool blank;              // marked blank by the artwork tool: never decoded
    juce::Image decoded;           // message thread only
    bool fullyTransparent = false; // message thread only, known once decoded
    juce::Image doubleResolution;  // message thread only; never decoded through this link

    mutable juce::CriticalSection backgroundLock;
    BackgroundDecoding backgroundDecoding = BackgroundDecoding::none;
    juce::Image backgroundResult;
    bool backgroundResultFullyTransparent = false;
    juce::WaitableEvent backgroundFinished{ true };

    JUCE_DECLARE_NON_COPYABLE (DeferredPngPixelData)
};
