#pragma once

#include "app/QuenloZKMEditorApplication.h"
#include "engine/MidiDeviceLayer.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace apptest
{
/** A device layer with fixed device names whose ports open and accept everything. */
class AppFakeDeviceLayer : public MidiDeviceLayer
{
public:
    AppFakeDeviceLayer (juce::StringArray inputs, juce::StringArray outputs)
        : inputNames (std::move (inputs))
        , outputNames (std::move (outputs))
    {
    }

    juce::StringArray getInputNames() override { return inputNames; }
    juce::StringArray getOutputNames() override { return outputNames; }

    std::unique_ptr<Input> openInput (int index, juce::MidiInputCallback&) override
    {
        return juce::isPositiveAndBelow (index, inputNames.size()) ? std::make_unique<QuietInput>() : nullptr;
    }

    std::unique_ptr<Output> openOutput (int index) override
    {
        return juce::isPositiveAndBelow (index, outputNames.size()) ? std::make_unique<QuietOutput>() : nullptr;
    }

private:
    struct QuietInput : public Input
    {
        void start() override {}
        void stop() override {}
    };

    struct QuietOutput : public Output
    {
        void sendMessageNow (const juce::MidiMessage&) override {}
    };

    juce::StringArray inputNames, outputNames;
};

/** Lets queued messages (asynchronous combo box changes, deletions, repaints) run. */
inline void pump (int milliseconds = 50) { juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds); }

/** The alert windows on screen with that title. */
inline int countAlerts (const juce::String& title)
{
    int count = 0;
    auto& desktop = juce::Desktop::getInstance();

    for (int i = 0; i < desktop.getNumComponents(); ++i)
        if (auto* alert = dynamic_cast<juce::AlertWindow*> (desktop.getComponent (i)))
            if (alert->getName() == title && alert->isShowing())
                ++count;

    return count;
}

/** The top-level windows of one class on the desktop. */
template <typename WindowClass>
int countWindows()
{
    int count = 0;
    auto& desktop = juce::Desktop::getInstance();

    for (int i = 0; i < desktop.getNumComponents(); ++i)
        if (dynamic_cast<WindowClass*> (desktop.getComponent (i)) != nullptr)
            ++count;

    return count;
}

/** Dismisses every notice as if its OK button had been pressed, and lets the framework delete them. */
inline void dismissAlerts()
{
    juce::ModalComponentManager::getInstance()->cancelAllModalComponents();
    pump();
}

/** A mouse release over a component, as the framework would deliver it. */
inline juce::MouseEvent makeMouseUp (juce::Component& component)
{
    const auto now = juce::Time::getCurrentTime();
    const juce::Point<float> centre (component.getWidth() / 2.0f, component.getHeight() / 2.0f);
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), centre, juce::ModifierKeys(),
                             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                             juce::MouseInputSource::defaultTiltY, &component, &component, now, centre, now, 1, false);
}

/** A private folder for the files of one test, removed afterwards. */
class ScratchFolder
{
public:
    ScratchFolder()
        : folder (juce::File::createTempFile ("zkm_app_test"))
    {
        folder.createDirectory();
    }

    ~ScratchFolder() { folder.deleteRecursively(); }

    juce::File getFolder (const juce::String& name) const
    {
        auto child = folder.getChildFile (name);
        child.createDirectory();
        return child;
    }

    juce::File getFile (const juce::String& name) const { return folder.getChildFile (name); }

private:
    juce::File folder;
};

/** The application object as the framework would start it, driven directly by the test: initialised
    with a command line, shut down and deleted at the end. No message loop of its own runs. */
class ApplicationTest : public ::testing::Test
{
protected:
    void startApplication (const juce::String& commandLine = {})
    {
        application = std::make_unique<QuenloZKMEditorApplication>();
        application->initialise (commandLine);
        pump();
    }

    void SetUp() override { startApplication(); }

    void TearDown() override
    {
        dismissAlerts();

        if (application != nullptr)
        {
            application->shutdown();
            application.reset();
        }

        pump();
    }

    WindowManager& windowManager() { return *application->getWindowManager(); }
    EditorWindow& window (int index) { return *windowManager().getWindows()[index]; }

    /** A chooser step that hands out the given file and remembers where it was asked to start. */
    EditorWindow::FileChooserStep answerWith (const juce::File& answer)
    {
        return [this, answer] (const juce::String& title, const juce::File& startFolder, const juce::String&,
                               bool forSaving)
        {
            ++chooserCalls;
            lastChooserTitle = title;
            lastChooserStart = startFolder;
            lastChooserWasForSaving = forSaving;
            return answer;
        };
    }

    std::unique_ptr<QuenloZKMEditorApplication> application;
    int chooserCalls = 0;
    juce::String lastChooserTitle;
    juce::File lastChooserStart;
    bool lastChooserWasForSaving = false;
};
} // namespace apptest
