#include "BinaryData.h"
#include "images/DeferredPngPixelData.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{
struct EmbeddedPng
{
    juce::String name;
    const void* data = nullptr;
    int size = 0;
};

juce::Array<EmbeddedPng> embeddedPngs()
{
    juce::Array<EmbeddedPng> pngs;

    for (int i = 0; i < BinaryData::namedResourceListSize; ++i)
    {
        const juce::String name (BinaryData::namedResourceList[i]);
        int size = 0;
        const auto* data = BinaryData::getNamedResource (name.toRawUTF8(), size);

        if (name.endsWith ("_png"))
            pngs.add ({ name, data, size });
    }

    return pngs;
}

/** Compares every pixel, so that a picture decoded late shows exactly what the decoder gives. */
::testing::AssertionResult samePixels (const juce::Image& actual, const juce::Image& expected)
{
    if (actual.getFormat() != expected.getFormat() || actual.getBounds() != expected.getBounds())
        return ::testing::AssertionFailure() << "format or size differs";

    const juce::Image::BitmapData a (actual, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData e (expected, juce::Image::BitmapData::readOnly);

    for (int y = 0; y < e.height; ++y)
        if (std::memcmp (a.getLinePointer (y), e.getLinePointer (y), (size_t) (e.width * e.pixelStride)) != 0)
            return ::testing::AssertionFailure() << "row " << y << " differs";

    return ::testing::AssertionSuccess();
}

// Long enough for the thread to decode every picture on a loaded machine; a picture it has not reached
// yet is decoded on demand instead, which the comparison covers as well.
void waitForBackgroundDecoding() { juce::Thread::sleep (500); }

/** A copy of the data makes a fresh picture, since pictures are shared by the address of their data.
    Copies are kept for the whole test process: the decoding thread may still be reading one after
    its test has ended, and a freed address that came back would find the old picture. */
const void* freshCopy (const EmbeddedPng& png)
{
    static juce::OwnedArray<juce::MemoryBlock> copies;
    return copies.add (new juce::MemoryBlock (png.data, (size_t) png.size))->getData();
}
} // namespace

//==============================================================================
TEST (DeferredPngPixelData, SizeAndFormatComeFromTheHeaderBeforeAnyDecoding)
{
    for (const auto& png : embeddedPngs())
    {
        const auto expected = juce::ImageFileFormat::loadFrom (png.data, (size_t) png.size);
        const auto image = DeferredPngPixelData::createImage (freshCopy (png), png.size);
        auto* deferred = dynamic_cast<DeferredPngPixelData*> (image.getPixelData());

        ASSERT_NE (deferred, nullptr) << png.name;
        EXPECT_EQ (image.getBounds(), expected.getBounds()) << png.name;
        EXPECT_EQ (image.getFormat(), expected.getFormat()) << png.name;
        EXPECT_FALSE (deferred->isDecoded()) << png.name;
    }
}

TEST (DeferredPngPixelData, PixelsMatchTheDecoderWhetherDecodedOnDemandOrInTheBackground)
{
    juce::Array<juce::Image> inBackground;
    const auto pngs = embeddedPngs();

    for (const auto& png : pngs)
    {
        inBackground.add (DeferredPngPixelData::createImage (freshCopy (png), png.size));
        DeferredPngPixelData::decodeSoon (inBackground.getLast());
    }

    waitForBackgroundDecoding();

    for (int i = 0; i < pngs.size(); ++i)
    {
        const auto& png = pngs.getReference (i);
        const auto expected = juce::ImageFileFormat::loadFrom (png.data, (size_t) png.size);

        EXPECT_TRUE (samePixels (DeferredPngPixelData::createImage (png.data, png.size), expected)) << png.name;
        EXPECT_TRUE (samePixels (inBackground[i], expected)) << png.name;
    }
}

TEST (DeferredPngPixelData, APictureNeededWhileQueuedIsDecodedAtOnce)
{
    // Many pictures queued at once: the last one is drawn before the thread can have reached it.
    juce::Array<juce::Image> queued;
    const auto pngs = embeddedPngs();

    for (int round = 0; round < 3; ++round)
        for (const auto& png : pngs)
        {
            queued.add (DeferredPngPixelData::createImage (freshCopy (png), png.size));
            DeferredPngPixelData::decodeSoon (queued.getLast());
        }

    const auto& last = pngs.getLast();
    EXPECT_TRUE (samePixels (queued.getLast(), juce::ImageFileFormat::loadFrom (last.data, (size_t) last.size)));

    // The rest may be anywhere in their decoding while they are dropped.
    queued.clear();
}

TEST (DeferredPngPixelData, TheSameDataGivesTheSharedPicture)
{
    const auto png = embeddedPngs().getFirst();
    const auto first = DeferredPngPixelData::createImage (png.data, png.size);
    const auto second = DeferredPngPixelData::createImage (png.data, png.size);

    EXPECT_EQ (first.getPixelData(), second.getPixelData());
}

TEST (DeferredPngPixelData, DataThatIsNoPngIsDecodedAtOnceAndGivesNoImage)
{
    const char notAPng[] = "definitely not a picture";
    const auto image = DeferredPngPixelData::createImage (notAPng, (int) sizeof (notAPng));

    EXPECT_FALSE (image.isValid());
    EXPECT_FALSE (DeferredPngPixelData::createImage (notAPng, 0).isValid());
}
