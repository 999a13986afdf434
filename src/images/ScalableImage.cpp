#include "images/ScalableImage.h"

#include "images/DeferredPngPixelData.h"

namespace
{
// A context whose scale is 1 up to the rounding of its transform draws the single image.
constexpr float scaleTolerance = 0.001f;
} // namespace

//==============================================================================
ScalableImage::ScalableImage (juce::Image singleImage, juce::Image doubleImage)
    : single (std::move (singleImage))
    , twice (std::move (doubleImage))
{
}

ScalableImage ScalableImage::of (const juce::Image& singleImage)
{
    return { singleImage, DeferredPngPixelData::getDoubleResolution (singleImage) };
}

//==============================================================================
bool ScalableImage::wantsDoubleResolution (float physicalPixelScale) noexcept
{
    return physicalPixelScale > 1.0f + scaleTolerance;
}

bool ScalableImage::wantsDoubleResolution (const juce::Graphics& g)
{
    return wantsDoubleResolution (g.getInternalContext().getPhysicalPixelScaleFactor());
}

float ScalableImage::expectedPhysicalPixelScale()
{
    auto& desktop = juce::Desktop::getInstance();
    const auto* display = desktop.getDisplays().getPrimaryDisplay();
    return desktop.getGlobalScaleFactor() * (display != nullptr ? (float) display->scale : 1.0f);
}

const juce::Image& ScalableImage::pick (float physicalPixelScale) const noexcept
{
    return wantsDoubleResolution (physicalPixelScale) && twice.isValid() ? twice : single;
}

const juce::Image& ScalableImage::pick (const juce::Graphics& g) const
{
    return pick (g.getInternalContext().getPhysicalPixelScaleFactor());
}

void ScalableImage::draw (juce::Graphics& g, juce::Rectangle<float> area, juce::RectanglePlacement placement) const
{
    const auto& image = pick (g);

    if (image.isValid())
        g.drawImage (image, area, placement);
}

void ScalableImage::decodeSoon() const { DeferredPngPixelData::decodeSoon (pick (expectedPhysicalPixelScale())); }
