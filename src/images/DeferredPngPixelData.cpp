#include "images/DeferredPngPixelData.h"

#include "images/PngDecodingThread.h"

#include <cstring>
#include <optional>

namespace
{
constexpr juce::uint8 pngSignature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
constexpr int signatureLength = 8;
constexpr int chunkHeadLength = 8; // length, then type
constexpr int chunkCrcLength = 4;
constexpr int headerBodyLength = 13;
constexpr int colourTypeOffsetInHeader = 9;
constexpr juce::uint8 colourTypeHasAlpha = 4;
constexpr const char* blankChunkType = "blNk"; // written by scripts/make_artwork.py

// Kept apart from the image cache's entries of the decoded pictures, which use the data address.
constexpr juce::int64 deferredImageHashTag = (juce::int64) 1 << 62;

struct PngHeader
{
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    bool blank = false; // marked by the artwork tool: every pixel fully transparent
};

juce::uint32 readBigEndian (const juce::uint8* bytes) { return juce::ByteOrder::bigEndianInt (bytes); }

bool chunkIs (const juce::uint8* chunk, const char* type) { return std::memcmp (chunk + 4, type, 4) == 0; }

/** Reads the size, whether the decoder will give the image an alpha channel (an alpha colour type
    or a transparency chunk before the image data) and whether the picture is marked blank. */
std::optional<PngHeader> readHeader (const juce::uint8* bytes, size_t size)
{
    if (size < (size_t) (signatureLength + chunkHeadLength + headerBodyLength + chunkCrcLength)
        || std::memcmp (bytes, pngSignature, signatureLength) != 0 || ! chunkIs (bytes + signatureLength, "IHDR"))
        return std::nullopt;

    const auto* body = bytes + signatureLength + chunkHeadLength;
    PngHeader header;
    header.width = (int) readBigEndian (body);
    header.height = (int) readBigEndian (body + 4);
    header.hasAlpha = (body[colourTypeOffsetInHeader] & colourTypeHasAlpha) != 0;

    if (header.width <= 0 || header.height <= 0)
        return std::nullopt;

    for (size_t position = signatureLength; position + chunkHeadLength <= size;)
    {
        const auto* chunk = bytes + position;

        if (chunkIs (chunk, "IDAT") || chunkIs (chunk, "IEND"))
            return header;

        if (chunkIs (chunk, "tRNS"))
            header.hasAlpha = true;

        if (chunkIs (chunk, blankChunkType))
            header.blank = true;

        position += chunkHeadLength + (size_t) readBigEndian (chunk) + chunkCrcLength;
    }

    return std::nullopt;
}

bool hasNoVisiblePixel (const juce::Image& image)
{
    if (! image.isValid() || ! image.hasAlphaChannel())
        return false;

    const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readOnly);

    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            if (pixels.getPixelColour (x, y).getAlpha() != 0)
                return false;

    return true;
}
} // namespace

//==============================================================================
juce::Image DeferredPngPixelData::createImage (const void* pngData, int pngSize)
{
    const auto hash = deferredImageHashTag ^ (juce::int64) (juce::pointer_sized_int) pngData;
    auto image = juce::ImageCache::getFromHashCode (hash);

    if (image.isValid())
        return image;

    const auto header = readHeader (static_cast<const juce::uint8*> (pngData), (size_t) juce::jmax (0, pngSize));

    if (! header.has_value())
        return juce::ImageCache::getFromMemory (pngData, pngSize);

    image = juce::Image (new DeferredPngPixelData (pngData, pngSize,
                                                   header->hasAlpha ? juce::Image::ARGB : juce::Image::RGB,
                                                   header->width, header->height, header->hasAlpha && header->blank));
    juce::ImageCache::addImageToCache (image, hash);
    return image;
}

void DeferredPngPixelData::decodeSoon (const juce::Image& image)
{
    auto* picture = dynamic_cast<DeferredPngPixelData*> (image.getPixelData());

    if (picture == nullptr || picture->isDecoded() || picture->blank)
        return;

    {
        const juce::ScopedLock sl (picture->backgroundLock);

        if (picture->backgroundDecoding != BackgroundDecoding::none)
            return;

        picture->backgroundDecoding = BackgroundDecoding::queued;
    }

    PngDecodingThread::getInstance()->decodeSoon (picture);
}

void DeferredPngPixelData::setDoubleResolution (const juce::Image& image, const juce::Image& doubleImage)
{
    if (auto* picture = dynamic_cast<DeferredPngPixelData*> (image.getPixelData()))
        picture->doubleResolution = doubleImage;
}

juce::Image DeferredPngPixelData::getDoubleResolution (const juce::Image& image)
{
    if (auto* picture = dynamic_cast<DeferredPngPixelData*> (image.getPixelData()))
        return picture->doubleResolution;

    return {};
}

bool DeferredPngPixelData::isFullyTransparent (const juce::Image& image)
{
    auto* picture = dynamic_cast<DeferredPngPixelData*> (image.getPixelData());

    if (picture == nullptr)
        return false;

    if (picture->blank)
        return true;

    picture->getDecodedPixels();
    return picture->fullyTransparent;
}

DeferredPngPixelData::DeferredPngPixelData (const void* pngData, int pngSize, juce::Image::PixelFormat format,
                                            int width, int height, bool isBlank)
    : juce::ImagePixelData (format, width, height)
    , data (pngData)
    , size (pngSize)
    , blank (isBlank)
{
}

bool DeferredPngPixelData::isDecodedOrQueued() const
{
    if (isDecoded())
        return true;

    const juce::ScopedLock sl (backgroundLock);
    return backgroundDecoding != BackgroundDecoding::none;
}

//==============================================================================
std::unique_ptr<juce::LowLevelGraphicsContext> DeferredPngPixelData::createLowLevelContext()
{
    return getDecodedPixels().createLowLevelContext();
}

juce::ImagePixelData::Ptr DeferredPngPixelData::clone() { return getDecodedPixels().clone(); }

std::unique_ptr<juce::ImageType> DeferredPngPixelData::createType() const
{
    return std::make_unique<juce::NativeImageType>();
}

void DeferredPngPixelData::initialiseBitmapData (juce::Image::BitmapData& bitmap, int x, int y,
                                                 juce::Image::BitmapData::ReadWriteMode mode)
{
    getDecodedPixels().initialiseBitmapData (bitmap, x, y, mode);
}

juce::ImagePixelData& DeferredPngPixelData::getDecodedPixels()
{
    if (! decoded.isValid() && blank)
    {
        // Nothing to decode: the pixels are all zero, which is what a cleared image holds.
        decoded = juce::Image (pixelFormat, width, height, true, juce::SoftwareImageType());
        fullyTransparent = true;
    }

    if (! decoded.isValid())
    {
        decoded = takeBackgroundResult();

        if (! decoded.isValid())
        {
            decoded = juce::ImageCache::getFromMemory (data, size);
            fullyTransparent = hasNoVisiblePixel (decoded);
        }

        // A PNG that does not decode as its header promised is drawn as a blank picture of that size.
        if (! decoded.isValid() || decoded.getFormat() != pixelFormat || decoded.getWidth() != width
            || decoded.getHeight() != height)
        {
            decoded = juce::Image (pixelFormat, width, height, true, juce::SoftwareImageType());
            fullyTransparent = hasNoVisiblePixel (decoded);
        }
    }

    return *decoded.getPixelData();
}

juce::Image DeferredPngPixelData::takeBackgroundResult()
{
    {
        const juce::ScopedLock sl (backgroundLock);

        switch (backgroundDecoding)
        {
            case BackgroundDecoding::none:
                return {};

            case BackgroundDecoding::queued:
                // Its turn has not come: decoding it here is quicker than waiting for the queue.
                backgroundDecoding = BackgroundDecoding::none;
                return {};

            case BackgroundDecoding::running:
                break;

            case BackgroundDecoding::finished:
                fullyTransparent = backgroundResultFullyTransparent;
                return std::move (backgroundResult);
        }
    }

    backgroundFinished.wait (-1);

    const juce::ScopedLock sl (backgroundLock);
    fullyTransparent = backgroundResultFullyTransparent;
    return std::move (backgroundResult);
}

void DeferredPngPixelData::decodeOnBackgroundThread()
{
    {
        const juce::ScopedLock sl (backgroundLock);

        if (backgroundDecoding != BackgroundDecoding::queued)
            return;

        backgroundDecoding = BackgroundDecoding::running;
    }

    auto image = decodePng();
    const auto transparent = hasNoVisiblePixel (image);

    {
        const juce::ScopedLock sl (backgroundLock);
        backgroundResult = std::move (image);
        backgroundResultFullyTransparent = transparent;
        backgroundDecoding = BackgroundDecoding::finished;
    }

    backgroundFinished.signal();
}

juce::Image DeferredPngPixelData::decodePng() const
{
    // The image cache is for the message thread; the decoder itself may run anywhere.
    return juce::ImageFileFormat::loadFrom (data, (size_t) size);
}
