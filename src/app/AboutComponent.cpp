#include "app/AboutComponent.h"

namespace
{
constexpr float labelFontHeight = 15.0f;
constexpr int versionLabelHeight = 15;
constexpr int noticeLabelHeight = 50;

const juce::String noticeText = juce::String ("ZKM and Quenlo are trademarks of Quenlo.") + "\r\n"
                                + "Copyright (c) 2026 Quenlo. All rights reserved.";
} // namespace

//==============================================================================
AboutComponent::AboutComponent (juce::Image aboutImage)
    : picture (std::make_unique<ScalableImageComponent>())
{
    // The application hands over the single image; its sharper companion comes with it.
    picture->setPicture (ScalableImage::of (aboutImage));
    setSize (aboutImage.getWidth(), aboutImage.getHeight());
    picture->setBounds (0, 0, aboutImage.getWidth(), aboutImage.getHeight());
    addAndMakeVisible (picture.get());

    // The same version text that the application reports.
    versionLabel = std::make_unique<juce::Label> ("Software Version Text", juce::String ("Software Version: ")
                                                                               + JUCE_APPLICATION_VERSION_STRING);
    noticeLabel = std::make_unique<juce::Label> (juce::String(), noticeText);
    styleLabel (*versionLabel);
    styleLabel (*noticeLabel);

    versionLabel->setBounds (0, getHeight() / 2, getWidth(), versionLabelHeight);
    noticeLabel->setBounds (0, getHeight() - noticeLabelHeight, getWidth(), noticeLabelHeight);
    addAndMakeVisible (versionLabel.get());
    addAndMakeVisible (noticeLabel.get());

    // Listening to the children too, so that a click on either label closes the window as well.
    addMouseListener (this, true);
}

AboutComponent::~AboutComponent() { removeMouseListener (this); }

//==============================================================================
void AboutComponent::mouseUp (const juce::MouseEvent&)
{
    if (auto* window = getParentComponent())
        delete window;
}

//==============================================================================
void AboutComponent::styleLabel (juce::Label& label)
{
    label.setFont (juce::Font (labelFontHeight, juce::Font::plain));
    label.setJustificationType (juce::Justification::centred);
    label.setEditable (false, false);
    label.setColour (juce::Label::textColourId, juce::Colours::black);
    label.setColour (juce::Label::backgroundColourId, juce::Colours::transparentBlack);
}
