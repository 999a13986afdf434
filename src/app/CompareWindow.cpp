#include "app/CompareWindow.h"

#include "app/ContentWindow.h"
#include "engine/PresetDifferences.h"
#include "engine/ZKSysEx.h"

namespace
{
constexpr int width = 480;
constexpr int height = 420;
constexpr int margin = 10;
constexpr int buttonHeight = 26;
} // namespace

/** The text and the button, laid out in the window. */
class CompareWindow::Content : public juce::Component
{
public:
    explicit Content (CompareWindow& windowToUse)
        : window (windowToUse)
    {
        addAndMakeVisible (window.text);
        addAndMakeVisible (window.refreshButton);
        setSize (width, height);
    }

    void resized() override
    {
        auto area = getLocalBounds().reduced (margin);
        window.refreshButton.setBounds (area.removeFromBottom (buttonHeight).removeFromRight (100));
        area.removeFromBottom (margin);
        window.text.setBounds (area);
    }

private:
    CompareWindow& window;
};

CompareWindow::CompareWindow (ZKEditorEngine::Ptr engineToUse, const juce::Array<juce::uint8>& otherImageToUse,
                              const juce::String& otherNameToUse)
    : juce::DocumentWindow ("Compare With " + otherNameToUse, juce::Colours::darkgrey,
                            juce::DocumentWindow::closeButton, true)
    , engine (std::move (engineToUse))
    , otherImage (otherImageToUse)
    , otherName (otherNameToUse)
{
    text.setMultiLine (true);
    text.setReadOnly (true);
    text.setScrollbarsShown (true);
    refreshButton.onClick = [this] { refresh(); };
    refresh();
    ContentWindow::show (*this, new Content (*this), true);
}

CompareWindow::~CompareWindow() { clearContentComponent(); }

juce::String CompareWindow::describe (const juce::Array<juce::uint8>& mine, const juce::Array<juce::uint8>& other,
                                      const juce::String& otherName)
{
    const auto differences = PresetDifferences::find (mine, other);

    if (differences.isEmpty())
        return "No differences";

    // One line per control, its parameters in image order.
    juce::StringArray lines;
    juce::String currentControl;

    for (const auto& difference : differences)
    {
        const auto item = difference.describeValues();

        if (difference.controlName == currentControl && ! lines.isEmpty())
            lines.set (lines.size() - 1, lines[lines.size() - 1] + ", " + item);
        else
            lines.add (difference.controlName + ": " + item);

        currentControl = difference.controlName;
    }

    const auto count =
        differences.size() == 1 ? juce::String ("1 difference") : juce::String (differences.size()) + " differences";
    return count + " (this window / " + otherName + ")\n\n" + lines.joinIntoString ("\n");
}

void CompareWindow::refresh()
{
    auto mine = engine->createPresetData (0);
    mine.removeRange (0, ZKSysEx::dumpImageOffset);
    mine.removeLast();
    text.setText (describe (mine, otherImage, otherName), juce::dontSendNotification);
}

juce::String CompareWindow::getText() const { return text.getText(); }

void CompareWindow::closeButtonPressed() { setVisible (false); }
