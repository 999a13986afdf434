#pragma once

#include "engine/PresetCheck.h"

#include <functional>
#include <juce_gui_basics/juce_gui_basics.h>

/** The "Check Preset" window of one document window: the findings of PresetCheck on its preset,
    each with a "Go To" button that selects the control in the editor, "No problems found" when
    there are none, and "Refresh", which checks the preset again as it is now. It deletes itself
    when closed; its document window deletes it when that closes first. */
class CheckPresetWindow : public juce::DocumentWindow
{
public:
    using ImageSource = std::function<juce::Array<juce::uint8>()>;
    using GoToStep = std::function<void (const PresetCheck::Finding& finding)>;

    /** getImage reads the preset to check; goTo shows a finding's controls. */
    CheckPresetWindow (ImageSource getImage, GoToStep goTo);
    ~CheckPresetWindow() override;

    /** Checks the preset again and lists what was found. */
    void refresh();

    const std::vector<PresetCheck::Finding>& getFindings() const noexcept { return findings; }

    /** The text of each finding's row, or "No problems found". */
    juce::StringArray getLines() const;

    /** The "Go To" button of the finding at that index; null outside them. */
    juce::Button* getGoToButton (int findingIndex) const;
    juce::Button& getRefreshButton() noexcept { return refreshButton; }

    void closeButtonPressed() override;

private:
    class Content;

    ImageSource getImage;
    GoToStep goTo;
    std::vector<PresetCheck::Finding> findings;
    juce::OwnedArray<juce::Label> lines;
    juce::OwnedArray<juce::TextButton> goToButtons;
    juce::TextButton refreshButton{ "Refresh" };

    JUCE_DECLARE_WEAK_REFERENCEABLE (CheckPresetWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CheckPresetWindow)
};
