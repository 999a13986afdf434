// The smallest JUCE program of this build that opens an empty 1200 x 700 window. With
// ZKM_EXIT_AFTER_FIRST_PAINT set it prints its resident memory at its first paint and quits, as the
// editor does, so that the two start-ups can be compared.
#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace
{
long residentKilobytes()
{
    std::ifstream status ("/proc/self/status");
    std::string line;
    while (std::getline (status, line))
        if (line.rfind ("VmRSS:", 0) == 0)
            return std::stol (line.substr (6));
    return 0;
}

class EmptyContent : public juce::Component
{
public:
    EmptyContent() { setSize (1200, 700); }

    void paint (juce::Graphics& g) override
    {
        g.fillAll (juce::Colours::white);
        if (! reported && juce::SystemStats::getEnvironmentVariable ("ZKM_EXIT_AFTER_FIRST_PAINT", {}).isNotEmpty())
        {
            reported = true;
            std::printf ("first-paint\n");
            std::fflush (stdout);

            // Read after the pending messages, as the editor's probe does.
            juce::MessageManager::callAsync (
                []
                {
                    std::printf ("rss_kb=%ld\n", residentKilobytes());
                    std::fflush (stdout);
                    juce::JUCEApplicationBase::quit();
                });
        }
    }

private:
    bool reported = false;
};

class MinimalWindowApp : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "Minimal Window"; }
    const juce::String getApplicationVersion() override { return "1.0"; }
    bool moreThanOneInstanceAllowed() override { return true; }

    void initialise (const juce::String&) override
    {
        window = std::make_unique<juce::DocumentWindow> ("Minimal Window", juce::Colours::grey,
                                                         juce::DocumentWindow::closeButton);
        window->setContentOwned (new EmptyContent(), true); // the window owns its content
        window->setUsingNativeTitleBar (true);
        window->centreWithSize (1200, 700);
        window->setVisible (true);
    }

    void shutdown() override { window = nullptr; }

private:
    std::unique_ptr<juce::DocumentWindow> window;
};
} // namespace

START_JUCE_APPLICATION (MinimalWindowApp)
