// The widget registry's rules over stand-in widgets: which widgets are shown
// or hidden, in what order, what the switches answer and which keys they write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "TestSupport.h"
#include "ZynWidget.h"

namespace {

// Records every Show call as "<name> on|off" in a shared journal.
class StandIn : public ZynWidget {
public:
    StandIn(const char* name, std::vector<std::string>* journal) : name(name), journal(journal) {}
    bool Show(const bool& show) override
    {
        journal->push_back(name + (show ? " on" : " off"));
        if (shown == show)
            return false;
        shown = show;
        return true;
    }
    wxString GetName() const override { return name; }

    std::string name;
    bool shown = false;

private:
    std::vector<std::string>* journal;
};

class WidgetRegistryTest : public testing::Test {
protected:
    void SetUp() override
    {
        registry.hpBar = &hp;
        registry.monitor = &monitor;
        registry.image = &image;
    }
    ConfigImpl* Core() { return GetConfig(cfg::Core); }
    // The stored text of a Plugin key, "absent" when it was never written.
    std::string Key(const char* key) { return Core()->ReadString(cfg::Plugin, key, "absent").utf8_string(); }
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> names;
        for (const StandIn* w : {&hp, &monitor, &image})
            if (w->shown)
                names.push_back(w->name);
        return names;
    }

    zyntest::ScopedAppDir app;
    std::vector<std::string> journal;
    StandIn hp{"HP Bar", &journal};
    StandIn monitor{"System Monitor", &journal};
    StandIn image{"Image Widget", &journal};
    WidgetRegistry registry;
};

using Names = std::vector<std::string>;

TEST_F(WidgetRegistryTest, NothingShowsBeforeTheSettingsAreLoaded)
{
    registry.ShowEnabled();
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(registry.SetEnabled("HP Bar", false));
    EXPECT_FALSE(registry.Toggle("HP Bar"));
    EXPECT_EQ(Key(cfg::EnableHPBar), "absent");
}

TEST_F(WidgetRegistryTest, LoadingShowsTheEnabledWidgetsInOrderAndHidingTakesThemAllAway)
{
    Core()->WriteBool(cfg::Plugin, cfg::EnableSystemMonitor, false);
    registry.LoadSettings();
    EXPECT_TRUE(registry.allEnabled);
    EXPECT_EQ(journal, (Names{"HP Bar on", "System Monitor off", "Image Widget on"}));
    EXPECT_EQ(Shown(), (Names{"HP Bar", "Image Widget"}));
    EXPECT_FALSE(monitor.IsEnabled());

    journal.clear();
    registry.HideAll();
    EXPECT_EQ(journal, (Names{"System Monitor off", "Image Widget off", "HP Bar off"}));
    EXPECT_TRUE(Shown().empty());
    // Loading writes nothing.
    EXPECT_EQ(Key(cfg::EnableHPBar), "absent");
    EXPECT_EQ(Key(cfg::EnableImageWidget), "absent");
}

TEST_F(WidgetRegistryTest, MasterSwitchOffHidesEverythingAndRefusesEverySwitch)
{
    registry.LoadSettings();
    Core()->WriteBool(cfg::Plugin, cfg::Enable, false);
    registry.LoadSettings();
    EXPECT_FALSE(registry.allEnabled);
    EXPECT_TRUE(Shown().empty());

    journal.clear();
    registry.ShowEnabled(); // the launcher going away
    EXPECT_TRUE(journal.empty());
    EXPECT_FALSE(registry.Toggle("HP Bar"));
    EXPECT_TRUE(hp.IsEnabled());
    EXPECT_EQ(Key(cfg::EnableHPBar), "absent");
}

TEST_F(WidgetRegistryTest, SwitchingAWidgetShowsOrHidesItAndRewritesAllThreeKeys)
{
    registry.LoadSettings();

    // Already in the requested state: refused, nothing written.
    EXPECT_FALSE(registry.SetEnabled("System Monitor", true));
    EXPECT_EQ(Key(cfg::EnableSystemMonitor), "absent");

    EXPECT_TRUE(registry.SetEnabled("System Monitor", false));
    EXPECT_FALSE(monitor.shown);
    EXPECT_EQ(Key(cfg::EnableSystemMonitor), "0");
    EXPECT_EQ(Key(cfg::EnableHPBar), "1");
    EXPECT_EQ(Key(cfg::EnableImageWidget), "1");

    EXPECT_TRUE(registry.Toggle("System Monitor"));
    EXPECT_TRUE(monitor.shown);
    EXPECT_EQ(Key(cfg::EnableSystemMonitor), "1");

    EXPECT_TRUE(registry.Toggle("Image Widget"));
    EXPECT_EQ(Shown(), (Names{"HP Bar", "System Monitor"}));
    EXPECT_EQ(Key(cfg::EnableImageWidget), "0");
}

TEST_F(WidgetRegistryTest, NamesMatchExactlyAndAnUnknownNameChangesNothing)
{
    registry.LoadSettings();
    struct Case {
        const char* name;
        const ZynWidget* found;
    };
    for (const Case& c : {Case{"HP Bar", &hp}, Case{"System Monitor", &monitor}, Case{"Image Widget", &image},
                          Case{"hp bar", nullptr}, Case{"HP Bar ", nullptr}, Case{"", nullptr}})
        EXPECT_EQ(registry.Find(c.name), c.found) << c.name;

    journal.clear();
    EXPECT_FALSE(registry.Toggle("hp bar"));
    EXPECT_FALSE(registry.SetEnabled("Clock", false));
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(Key(cfg::EnableHPBar), "absent");
}

TEST_F(WidgetRegistryTest, MissingWidgetsAreSkipped)
{
    registry.monitor = nullptr;
    registry.LoadSettings();
    EXPECT_EQ(journal, (Names{"HP Bar on", "Image Widget on"}));
    EXPECT_EQ(registry.Find("System Monitor"), nullptr);
    EXPECT_TRUE(registry.Toggle("HP Bar"));
    EXPECT_EQ(Key(cfg::EnableSystemMonitor), "absent"); // no widget, no switch to store
    registry.HideAll();
    EXPECT_TRUE(Shown().empty());
}

} // namespace
