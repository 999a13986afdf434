#include "images/ScalableImageComponent.h"

ScalableImageComponent::ScalableImageComponent (const juce::String& name)
    : juce::ImageComponent (name)
{
}

void ScalableImageComponent::setPicture (const ScalableImage& newPicture)
{
    picture = newPicture;
    setImage (picture.getImage());
}

void ScalableImageComponent::paint (juce::Graphics& g)
{
    // The image may have been replaced through juce::ImageComponent; then only that one is drawn.
    if (! ScalableImage::wantsDoubleResolution (g) || picture.getImage() != getImage())
    {
        juce::ImageComponent::paint (g);
        return;
    }

    g.setOpacity (1.0f);
    picture.draw (g, getLocalBounds().toFloat(), getImagePlacement());
}
