#pragma once

#include "app/QuenloZKMEditorApplication.h"
#include "support/TestRig.h"
#include "views/EditorComponent.h"
#include "views/MainSectionView.h"
#include "views/TabSelectorButtons.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace apptest
{
/** One of the four preset buttons of a document window's main view, by name. */
inline juce::Button& presetButton (EditorWindow& window, const juce::String& name)
{
    auto* mainSection = dynamic_cast<MainSectionView*> (window.getEditorComponent()->getView (0));

    for (auto* button : mainSection->getPresetButtons())
        if (button->getName() == name)
            return *button;

    throw std::runtime_error ("no preset button named " + name.toStdString());
}

using TestRig::pump;

/** The first alert window on screen with that title, nullptr when none shows. */
inline juce::AlertWindow* findAlert (const juce::String& title)
{
    auto& desktop = juce::Desktop::getInstance();

    for (int i = 0; i < desktop.getNumComponents(); ++i)
        if (auto* alert = dynamic_cast<juce::AlertWindow*> (desktop.getComponent (i)))
            if (alert->getName() == title && alert->isShowing())
                return alert;

    return nullptr;
}

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

    /** A document window on an engine of the test's own, made the way the application makes its
        windows. */
    EditorWindow& openDocumentOn (ZKEditorEngine::Ptr engine)
    {
        auto* content = new EditorComponent (std::make_unique<TabSelectorButtons>(),
                                             std::unique_ptr<ViewSelector> (application->createProductImageSelector()),
                                             engine, TestRig::numKnobs, TestRig::numPads,
                                             TestRig::numSwitches); // passes to the window
        return *windowManager().createWindow (content, engine);
    }

    /** An engine of the model's constants that does not wait between messages and waits for replies
        as long as a busy machine may need, with the usual retries. */
    static ZKEditorEngine::Ptr makeQuickEngine (MidiManager& manager)
    {
        auto engine = ZKMEngineFactory::createEngine (manager);
        engine->setPacing (TestRig::fastPacing (TestRig::patientReplyTimeoutMs));
        return engine;
    }

    /** An engine for a controller that answers nothing (the fake devices): each Get ends after one
        short reply timeout, and asks for each byte once. */
    static ZKEditorEngine::Ptr makeEngineForSilentController (MidiManager& manager)
    {
        auto engine = ZKMEngineFactory::createEngine (manager);
        engine->setPacing (TestRig::fastPacing (TestRig::noAnswerReplyTimeoutMs, 0));
        return engine;
    }
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

/** The application, and fake MIDI devices that are open, for documents of the test's own. The
    devices outlive the application's windows, as the application's own MidiManager does. */
class FakeDeviceTest
    : public ApplicationTest
    , protected TestRig::FakeRig
{
};

/** Carries out a command of the window or of the application, as its menu item or key does. */
inline void perform (juce::ApplicationCommandTarget& target, juce::CommandID command)
{
    juce::ApplicationCommandTarget::InvocationInfo info (command);
    EXPECT_TRUE (target.perform (info));
}
} // namespace apptest
