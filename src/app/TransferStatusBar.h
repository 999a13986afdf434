#pragma once

#include "engine/ZKEditorEngine.h"

#include <functional>
#include <juce_gui_basics/juce_gui_basics.h>

/** The strip at the bottom of a document window while its engine talks to the controller: what it
    does ("Getting slot 5", "Sending to slot 12", "Waiting for the controller"), a progress bar of
    the 465 bytes, and "Cancel". */
class TransferStatusBar : public juce::Component
{
public:
    static constexpr int barHeight = 32;

    TransferStatusBar();

    //==============================================================================
    void showStatus (const ZKEditorEngine::TransferStatus& status);

    /** Shows a job made of many transfers (a restore): its text, one bar for the whole job and the
        bar's own text. */
    void showJob (const juce::String& textToShow, int doneOfWhole, int whole, const juce::String& barText);

    /** Shows a line of text alone, without progress or "Cancel": how a transfer ended. */
    void showMessage (const juce::String& message);

    /** Shows that the window's edits are written into that slot (0 to 23) as they are made:
        "Live: slot 5" and "Stop". */
    void showLive (juce::uint8 slot);

    static juce::String describe (const ZKEditorEngine::TransferStatus& status);

    std::function<void()> onCancel;
    std::function<void()> onStop;

    const juce::Label& getTextLabel() const noexcept { return text; }
    juce::TextButton& getCancelButton() noexcept { return cancelButton; }
    juce::TextButton& getStopButton() noexcept { return stopButton; }

    int getTotal() const noexcept { return total; }

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    /** The text, with the progress bar and "Cancel" or without, and with "Stop" or without. */
    void showText (const juce::String& textToShow, bool withProgress, bool withStop);

    /** Draws the bar with its count in white on a dark outline, readable over the filled part
        and the empty part alike. */
    class BarLook : public juce::LookAndFeel_V4
    {
    public:
        void drawProgressBar (juce::Graphics& g, juce::ProgressBar& bar, int width, int height, double progress,
                              const juce::String& textToShow) override;
    };

    BarLook barLook;
    juce::Label text;
    double progress = 0;
    juce::ProgressBar progressBar{ progress };
    juce::TextButton cancelButton{ "Cancel" };
    juce::TextButton stopButton{ "Stop" };
    int done = 0;
    int total = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TransferStatusBar)
};
