#include "BinaryData.h"
#include "images/DeferredPngPixelData.h"
#include "images/ScalableImageButton.h"
#include "support/ViewTestHelpers.h"
#include "views/EditorComponent.h"
#include "views/TabSelectorButtons.h"
#include "views/ZKMProductProductImageViewSelector.h"

#include <gtest/gtest.h>

using namespace ViewTestHelpers;

namespace
{
const juce::Rectangle<int> tabRow{ 0, 450, 1200, 40 };

/** The editor's embedded pictures at one density: "_2x_png" for the double ones, or the others. */
juce::Array<juce::Image> embeddedPictures (bool doubleOnes)
{
    juce::Array<juce::Image> pictures;

    for (int i = 0; i < BinaryData::namedResourceListSize; ++i)
    {
        const juce::String name (BinaryData::namedResourceList[i]);
        int size = 0;
        const auto* data = BinaryData::getNamedResource (name.toRawUTF8(), size);

        // The same data gives the same picture while it is in use, so these are the editor's own.
        if (name.endsWith ("_png") && name.endsWith ("_2x_png") == doubleOnes)
            pictures.add (DeferredPngPixelData::createImage (data, size));
    }

    return pictures;
}

bool isDecodedOrQueued (const juce::Image& image)
{
    auto* deferred = dynamic_cast<DeferredPngPixelData*> (image.getPixelData());
    return deferred == nullptr || deferred->isDecodedOrQueued();
}

/** The sum of the squared differences of every pixel's channels from its right and lower neighbours:
    high where edges are steep, low where they are smeared over several pixels. */
double edgeEnergy (const juce::Image& image)
{
    const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readOnly);
    double energy = 0.0;

    auto difference = [] (juce::Colour a, juce::Colour b)
    {
        const auto red = (double) a.getRed() - b.getRed();
        const auto green = (double) a.getGreen() - b.getGreen();
        const auto blue = (double) a.getBlue() - b.getBlue();
        return red * red + green * green + blue * blue;
    };

    for (int y = 0; y + 1 < pixels.height; ++y)
        for (int x = 0; x + 1 < pixels.width; ++x)
        {
            const auto here = pixels.getPixelColour (x, y);
            energy += difference (here, pixels.getPixelColour (x + 1, y))
                      + difference (here, pixels.getPixelColour (x, y + 1));
        }

    return energy;
}

/** The mean difference per channel of two images of the same size. */
double meanDifference (const juce::Image& a, const juce::Image& b)
{
    const juce::Image::BitmapData first (a, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData second (b, juce::Image::BitmapData::readOnly);
    double total = 0.0;

    for (int y = 0; y < first.height; ++y)
        for (int x = 0; x < first.width; ++x)
        {
            const auto p = first.getPixelColour (x, y);
            const auto q = second.getPixelColour (x, y);
            total += std::abs (p.getRed() - q.getRed()) + std::abs (p.getGreen() - q.getGreen())
                     + std::abs (p.getBlue() - q.getBlue());
        }

    return total / (3.0 * first.width * first.height);
}

class ScalableArtworkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Pictures an earlier test decoded and let go of must not count here: only this editor's.
        // Two rounds: a decoded image is let go of only after the picture that holds it.
        for (int round = 0; round < 2; ++round)
            juce::ImageCache::releaseUnusedImages();

        editor = std::make_unique<EditorComponent> (std::make_unique<TabSelectorButtons>(),
                                                    std::make_unique<ZKMProductProductImageViewSelector>(), engine,
                                                    numKnobs, numPads, numSwitches);
        loadPreset (*engine, defaultPresetDump());
    }

    Document document;
    ZKEditorEngine::Ptr engine = document.engine;
    std::unique_ptr<EditorComponent> editor;
};
} // namespace

//==============================================================================
TEST_F (ScalableArtworkTest, AtOneHundredPercentNoDoublePictureIsDecoded)
{
    // Every view once, every tab in each of its states: each picture a window can show is drawn.
    for (int view = 0; view < EditorComponent::numViews; ++view)
    {
        editor->viewSelected (view);
        editor->createComponentSnapshot (editor->getLocalBounds(), true, 1.0f);
        pump();
    }

    for (auto* button : findAll<ScalableImageButton> (*editor))
    {
        button->setState (juce::Button::buttonOver);
        button->createComponentSnapshot (button->getLocalBounds(), true, 1.0f);
        button->setState (juce::Button::buttonDown);
        button->createComponentSnapshot (button->getLocalBounds(), true, 1.0f);
        button->setState (juce::Button::buttonNormal);
    }

    int singleOnesDecoded = 0;

    for (const auto& picture : embeddedPictures (false))
        singleOnesDecoded += isDecodedOrQueued (picture) ? 1 : 0;

    EXPECT_GE (singleOnesDecoded, 50); // the paints above did draw the pictures

    const auto doubleOnes = embeddedPictures (true);
    ASSERT_EQ (doubleOnes.size(), embeddedPictures (false).size());

    for (const auto& picture : doubleOnes)
        EXPECT_FALSE (isDecodedOrQueued (picture)) << picture.getWidth() << " x " << picture.getHeight();
}

TEST_F (ScalableArtworkTest, TheTabRowAtTwoHundredPercentIsSharperThanAtOneHundredEnlarged)
{
    const auto single = editor->createComponentSnapshot (tabRow, true, 1.0f);
    const auto enlarged = single.rescaled (single.getWidth() * 2, single.getHeight() * 2);
    const auto zoomed = editor->createComponentSnapshot (tabRow, true, 2.0f);
    ASSERT_EQ (zoomed.getBounds(), enlarged.getBounds());

    // The same picture: at 200 % reduced to 100 % it looks like the 100 % one ...
    EXPECT_LT (meanDifference (zoomed.rescaled (single.getWidth(), single.getHeight()), single), 6.0);

    // ... but its edges are steep where the enlarged one smears each edge over two pixels.
    EXPECT_GT (edgeEnergy (zoomed), 1.5 * edgeEnergy (enlarged));
}
