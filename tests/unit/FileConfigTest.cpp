#include <gtest/gtest.h>

#include <linux/capability.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include <wx/xml/xml.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "LogCapture.h"
#include "TestSupport.h"

using zyntest::ReadFile;
using zyntest::WriteFile;

namespace {

const char kHeader[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// Takes up (or lays down) the calling thread's capability to pass over file
// permissions, when its permitted set has it; true when nothing failed.
bool HoldOverride(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    auto& set = data[CAP_TO_INDEX(CAP_DAC_OVERRIDE)];
    const uint32_t bit = CAP_TO_MASK(CAP_DAC_OVERRIDE);
    if (on)
        set.effective |= set.permitted & bit;
    else
        set.effective &= ~bit;
    return syscall(SYS_capset, &header, data) == 0;
}

class FileConfigTest : public testing::Test {
protected:
    std::string CorePath() const { return app / "Configs/Core.xml"; }
    void WriteCore(const std::string& body)
    {
        std::filesystem::create_directories(app / "Configs");
        ASSERT_TRUE(WriteFile(CorePath(), body));
    }
    bool Exists(const std::string& relative) const { return std::filesystem::exists(app / relative); }

    zyntest::ScopedAppDir app;
};

TEST_F(FileConfigTest, MissingFileGivesDefaultsAndExitWritesExactlyTheWrittenKeys)
{
    ASSERT_FALSE(Exists("Configs")); // a first run: the folder does not exist yet
    ConfigImpl* core = GetConfig(cfg::Core);
    EXPECT_EQ(core->ReadBool(cfg::General, cfg::CheckUpdate, true), true);
    EXPECT_EQ(core->ReadBool(cfg::General, cfg::VerboseMode, false), false);
    EXPECT_EQ(core->ReadLong(cfg::Appearance, cfg::BackgroundDensity, 150), 150);
    EXPECT_EQ(core->ReadString(cfg::Appearance, cfg::CustomFont, "none"), "none");

    EXPECT_TRUE(core->WriteString(cfg::Application, cfg::Name, "Zyn Utils"));
    EXPECT_TRUE(core->WriteLong(cfg::Appearance, cfg::AnimateSpeed, -1));
    EXPECT_TRUE(core->WriteBool(cfg::General, cfg::VerboseMode, true));
    EXPECT_TRUE(core->WriteString(cfg::Plugin, "HPName", wxString::FromUTF8("<Ann & \"Bo\"> é")));
    EXPECT_TRUE(core->WriteBool(cfg::General, cfg::LockingMode, false));
    DestroyAllConfigs();

    EXPECT_EQ(ReadFile(CorePath()), std::string(kHeader) +
        "<Core>\n"
        "  <config catalog=\"Application\">\n"
        "    <property key=\"Name\" value=\"Zyn Utils\"/>\n"
        "  </config>\n"
        "  <config catalog=\"Appearance\">\n"
        "    <property key=\"AnimateSpeed\" value=\"-1\"/>\n"
        "  </config>\n"
        "  <config catalog=\"General\">\n"
        "    <property key=\"VerboseMode\" value=\"1\"/>\n"
        "    <property key=\"LockingMode\" value=\"0\"/>\n"
        "  </config>\n"
        "  <config catalog=\"Plugin\">\n"
        "    <property key=\"HPName\" value=\"&lt;Ann &amp; &quot;Bo&quot;&gt; \xC3\xA9\"/>\n"
        "  </config>\n"
        "</Core>\n");
    EXPECT_FALSE(Exists("Configs/Core.xml.tmp"));

    // The next run reads back what was written.
    ConfigImpl* again = GetConfig(cfg::Core);
    EXPECT_EQ(again->ReadLong(cfg::Appearance, cfg::AnimateSpeed, 0), -1);
    EXPECT_EQ(again->ReadString(cfg::Plugin, "HPName", ""), wxString::FromUTF8("<Ann & \"Bo\"> é"));
}

TEST_F(FileConfigTest, RewritingAKeyKeepsOneElementWithExactlyKeyAndValue)
{
    WriteCore(std::string(kHeader) +
              "<Core><config catalog=\"General\">"
              "<property extra=\"x\" value=\"1\" key=\"PressTimeout\" more=\"y\"/>"
              "</config></Core>");
    ConfigImpl* core = GetConfig(cfg::Core);
    EXPECT_EQ(core->ReadLong(cfg::General, cfg::PressTimeout, 0), 1);
    core->WriteLong(cfg::General, cfg::PressTimeout, -1);
    core->WriteLong(cfg::General, cfg::PressTimeout, 7);
    EXPECT_EQ(core->ReadLong(cfg::General, cfg::PressTimeout, 0), 7);
    DestroyAllConfigs();
    EXPECT_EQ(ReadFile(CorePath()), std::string(kHeader) +
        "<Core>\n"
        "  <config catalog=\"General\">\n"
        "    <property key=\"PressTimeout\" value=\"7\"/>\n"
        "  </config>\n"
        "</Core>\n");
}

TEST_F(FileConfigTest, CatalogsAndKeysAreFoundByAttributeWhateverTheElementName)
{
    WriteCore(std::string(kHeader) +
              "<Settings>\n"
              "  <section catalog=\"Other\"/>\n"
              "  <section catalog=\"General\"><item key=\"VerboseMode\" value=\"1\"/></section>\n"
              "</Settings>\n");
    ConfigImpl* core = GetConfig(cfg::Core);
    EXPECT_TRUE(core->ReadBool(cfg::General, cfg::VerboseMode, false));
    EXPECT_FALSE(core->ReadBool("general", cfg::VerboseMode, false));
    core->WriteBool(cfg::General, cfg::CheckUpdate, false);
    DestroyAllConfigs();
    EXPECT_EQ(ReadFile(CorePath()), std::string(kHeader) +
        "<Settings>\n"
        "  <section catalog=\"Other\"/>\n"
        "  <section catalog=\"General\">\n"
        "    <item key=\"VerboseMode\" value=\"1\"/>\n"
        "    <property key=\"CheckUpdate\" value=\"0\"/>\n"
        "  </section>\n"
        "</Settings>\n");
}

TEST_F(FileConfigTest, NumbersAndBooleansParseWholeDecimalTextOrGiveTheDefault)
{
    struct Case {
        const char* text;
        long asLong;  // with default 99
        bool asBool;  // with default true
    } const cases[] = {
        {"0", 0, false}, {"1", 1, true}, {"2", 2, true}, {"-1", -1, true}, {"-42", -42, true},
        {"", 99, true}, {"abc", 99, true}, {"12x", 99, true}, {"0x10", 99, true}, {"1.5", 99, true},
    };
    ConfigImpl* core = GetConfig(cfg::Core);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        core->WriteString("Numbers", "Value", c.text);
        EXPECT_EQ(core->ReadLong("Numbers", "Value", 99), c.asLong);
        EXPECT_EQ(core->ReadBool("Numbers", "Value", true), c.asBool);
        EXPECT_EQ(core->ReadString("Numbers", "Value", "def"), c.text);
    }
    EXPECT_EQ(core->ReadBool("Numbers", "Value", false), false) << "a failed parse gives the default";
    // A key element without a value attribute reads as its default.
    DestroyAllConfigs();
    WriteCore(std::string(kHeader) + "<Core><config catalog=\"A\"><property key=\"K\"/></config></Core>");
    ConfigImpl* bare = GetConfig(cfg::Core);
    EXPECT_EQ(bare->ReadString("A", "K", "def"), "def");
    EXPECT_EQ(bare->ReadLong("A", "K", 5), 5);
}

TEST_F(FileConfigTest, ClearGivesDefaultsAndStartsTheTreeAnew)
{
    WriteCore(std::string(kHeader) +
              "<Core><config catalog=\"Sound\"><property key=\"Enable\" value=\"0\"/></config></Core>");
    ConfigImpl* core = GetConfig(cfg::Core);
    EXPECT_FALSE(core->ReadBool(cfg::Sound, cfg::Enable, true));
    core->Clear();
    EXPECT_TRUE(core->ReadBool(cfg::Sound, cfg::Enable, true));
    core->WriteLong(cfg::Hotkey, cfg::HotkeyType, 3);
    DestroyAllConfigs();
    EXPECT_EQ(ReadFile(CorePath()), std::string(kHeader) +
        "<Core>\n"
        "  <config catalog=\"Hotkey\">\n"
        "    <property key=\"HotkeyType\" value=\"3\"/>\n"
        "  </config>\n"
        "</Core>\n");
}

TEST_F(FileConfigTest, RegistryKeysOnTheNameAsGivenWhileTheFileDropsSpaces)
{
    ConfigImpl* spaced = GetConfig("Co re");
    EXPECT_EQ(GetConfig("Co re"), spaced);
    spaced->WriteString("A", "K", "v");
    DestroyAllConfigs();
    EXPECT_EQ(ReadFile(CorePath()), std::string(kHeader) +
        "<Core>\n"
        "  <config catalog=\"A\">\n"
        "    <property key=\"K\" value=\"v\"/>\n"
        "  </config>\n"
        "</Core>\n");
    ConfigImpl* core = GetConfig("Core");
    EXPECT_NE(GetConfig("Co re"), core) << "two entries, one file";
    EXPECT_EQ(core->ReadString("A", "K", ""), "v");
    EXPECT_EQ(GetConfig("Co re")->ReadString("A", "K", ""), "v");
}

TEST_F(FileConfigTest, UnreadableFileReadsAsEmptyIsKeptAsABackupAndIsReplaced)
{
    const std::string broken[] = {
        "", "not xml at all", std::string(kHeader) + "<Core><config catalog=\"General\">",
        std::string("\x00\xff\xfe binary", 10),
    };
    for (size_t i = 0; i < std::size(broken); ++i) {
        SCOPED_TRACE(i);
        WriteCore(broken[i]);
        zyntest::LogCapture log;
        // The verbose switch lives in the broken file: the user must learn of it without.
        const bool verbose = wxLog::GetVerbose();
        wxLog::SetVerbose(false);
        ConfigImpl* core = GetConfig(cfg::Core);
        EXPECT_TRUE(core->ReadBool(cfg::General, cfg::CheckUpdate, true));
        core->WriteBool(cfg::General, cfg::CheckUpdate, false);
        DestroyAllConfigs();

        const std::string backup = i == 0 ? "Configs/Core.xml.bak" : "Configs/Core.xml.bak." + std::to_string(i);
        EXPECT_EQ(ReadFile(app / backup), broken[i]) << "the earlier file is kept whole";
        wxLog::SetVerbose(verbose);
        EXPECT_TRUE(log.Contains("1 \"Configs/Core.xml\" is not a readable configuration (")) << log.Text();
        EXPECT_TRUE(log.Contains("; kept as \"" + CorePath() + (i ? ".bak." + std::to_string(i) : ".bak") + "\".")) << log.Text();
        wxXmlDocument saved;
        EXPECT_TRUE(saved.Load(CorePath()));
        EXPECT_NE(ReadFile(CorePath()).find("<property key=\"CheckUpdate\" value=\"0\"/>"), std::string::npos);
    }
}

// A FIFO in the settings file's place would hold the start in its open: it is
// skipped at once, set aside like any unreadable file, and a file takes its place.
TEST_F(FileConfigTest, AFifoInPlaceOfTheFileIsSkippedKeptAndReplaced)
{
    std::filesystem::create_directories(app / "Configs");
    ASSERT_EQ(mkfifo(CorePath().c_str(), 0600), 0);
    zyntest::LogCapture log;
    ConfigImpl* core = GetConfig(cfg::Core);
    EXPECT_TRUE(core->ReadBool(cfg::General, cfg::CheckUpdate, true));
    core->WriteBool(cfg::General, cfg::CheckUpdate, false);
    DestroyAllConfigs();
    EXPECT_TRUE(log.Contains("Configs/Core.xml\" is not a regular file; it is skipped.")) << log.Text();
    EXPECT_TRUE(std::filesystem::is_fifo(app / "Configs/Core.xml.bak"));
    EXPECT_TRUE(std::filesystem::is_regular_file(CorePath()));
    EXPECT_NE(ReadFile(CorePath()).find("<property key=\"CheckUpdate\" value=\"0\"/>"), std::string::npos);
}

// A settings file the user keeps elsewhere behind a link stays there, the link with it.
TEST_F(FileConfigTest, ALinkedFileIsWrittenWhereItLivesAndTheLinkStays)
{
    const zyntest::TempDir elsewhere;
    WriteCore(std::string(kHeader) + "<Core/>\n");
    std::filesystem::rename(CorePath(), elsewhere / "Core.xml");
    std::filesystem::create_symlink(elsewhere / "Core.xml", CorePath());
    ConfigImpl* core = GetConfig(cfg::Core);
    core->WriteBool(cfg::General, cfg::CheckUpdate, false);
    EXPECT_TRUE(core->Flush());
    EXPECT_TRUE(std::filesystem::is_symlink(CorePath()));
    EXPECT_NE(ReadFile(elsewhere / "Core.xml").find("<property key=\"CheckUpdate\" value=\"0\"/>"), std::string::npos);
    DestroyAllConfigs();
}

// Writes that cannot finish: the old file stays as it was and the failure is logged.
TEST_F(FileConfigTest, AFailedWriteKeepsTheOldFileAndIsReported)
{
    const std::string old = std::string(kHeader) +
                            "<Core>\n  <config catalog=\"General\">\n    <property key=\"VerboseMode\" value=\"1\"/>\n  </config>\n</Core>\n";
    struct Setup {
        const char* name;
        bool (*apply)(const std::string& configs, bool on); // false, with errno, when it failed
    } const setups[] = {
        {"a full disk", [](const std::string&, bool on) {
             // The file size limit makes write(2) fail with EFBIG, as a full disk would.
             static rlimit saved;
             if (on) {
                 signal(SIGXFSZ, SIG_IGN);
                 getrlimit(RLIMIT_FSIZE, &saved);
                 rlimit small = saved;
                 small.rlim_cur = 1024;
                 setrlimit(RLIMIT_FSIZE, &small);
             } else {
                 setrlimit(RLIMIT_FSIZE, &saved);
                 signal(SIGXFSZ, SIG_DFL);
             }
             return true;
         }},
        {"a read-only folder", [](const std::string& configs, bool on) {
             std::filesystem::permissions(configs, on ? std::filesystem::perms(0555) : std::filesystem::perms::owner_all);
             // Root writes into it by its power to override permissions: this thread, the
             // one that writes, lays that power down while the folder is read-only.
             return HoldOverride(!on);
         }},
    };
    for (const Setup& setup : setups) {
        SCOPED_TRACE(setup.name);
        WriteCore(old);
        ConfigImpl* core = GetConfig(cfg::Core);
        core->WriteString(cfg::Plugin, "HPName", std::string(4096, 'x'));
        zyntest::LogCapture log;
        ASSERT_TRUE(setup.apply(app / "Configs", true)) << std::strerror(errno);
        const bool flushed = core->Flush();
        ASSERT_TRUE(setup.apply(app / "Configs", false)) << std::strerror(errno);
        EXPECT_FALSE(flushed);
        EXPECT_EQ(ReadFile(CorePath()), old);
        EXPECT_FALSE(Exists("Configs/Core.xml.tmp"));
        EXPECT_TRUE(log.Contains("1 Can not save \"Configs/Core.xml\"")) << log.Text();

        EXPECT_TRUE(core->Flush()) << "the same write succeeds once there is room";
        EXPECT_NE(ReadFile(CorePath()).find(std::string(4096, 'x')), std::string::npos);
        DestroyAllConfigs();
    }
}

} // namespace

namespace {

std::string Repeat(const std::string& piece, size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

} // namespace

// A hostile settings file is refused and kept, or read; never a crash, and the
// file written holds only the catalogs and keys, however deep the one read.
TEST_F(FileConfigTest, HostileFilesAreRefusedAndKeptOrReadAndWrittenFlat)
{
    const std::string key = "<property key=\"K\" value=\"v\"/>";
    struct Case {
        std::string name, file;
        std::string reason; // of a refused file; empty when it reads
    };
    const std::vector<Case> cases = {
        {"a million deep", Repeat("<a>", 1000000) + Repeat("</a>", 1000000), "elements nested deeper than 1000 levels"},
        {"truncated deep", "<Core>" + Repeat("<a>", 349000), "elements nested deeper than 1000 levels"},
        {"above the size bound", "<Core><config catalog=\"C\"><property key=\"K\" value=\"" + std::string(16 << 20, 'v') +
                                     "\"/></config></Core>", "the file is larger than 16777216 bytes"},
        {"deep below a key", "<Core><config catalog=\"C\">" + key.substr(0, key.size() - 2) + ">" + Repeat("<a>", 900) +
                                 Repeat("</a>", 900) + "</property></config></Core>", ""},
        {"deep beside the catalogs", "<Core>" + Repeat("<a>", 900) + Repeat("</a>", 900) + "<config catalog=\"C\">" + key +
                                         "</config></Core>", ""},
        // Written in time in step with their number: 100,000 held the exit for over a minute.
        {"many keys and catalogs", "<Core><config catalog=\"C\">" + Repeat("<p/>", 200000) + key + "</config>" +
                                       Repeat("<c/>", 200000) + "</Core>", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(app / "Configs/Core.xml.bak");
        WriteCore(c.file);
        zyntest::LogCapture log;
        ConfigImpl* core = GetConfig(cfg::Core);
        EXPECT_EQ(core->ReadString("C", "K", "def"), c.reason.empty() ? "v" : "def");
        DestroyAllConfigs();
        if (!c.reason.empty()) {
            EXPECT_TRUE(log.Contains("(" + c.reason + "); kept as")) << log.Text();
            EXPECT_EQ(ReadFile(app / "Configs/Core.xml.bak"), c.file) << "kept byte for byte";
            EXPECT_EQ(ReadFile(CorePath()), std::string(kHeader) + "<Core/>\n");
            continue;
        }
        EXPECT_FALSE(Exists("Configs/Core.xml.bak"));
        const std::string written = ReadFile(CorePath());
        EXPECT_EQ(written.find("\n      <"), std::string::npos) << written.substr(0, 400);
        EXPECT_NE(written.find("    " + key + "\n"), std::string::npos) << written.substr(0, 400);
    }
}

// What the store would write beyond the bound is not written: the old file stays.
TEST_F(FileConfigTest, AFileTheNextStartWouldRefuseIsNotWritten)
{
    const std::string old = std::string(kHeader) + "<Core/>\n";
    WriteCore(old);
    ConfigImpl* core = GetConfig(cfg::Core);
    core->WriteString("C", "K", std::string(17 << 20, 'v'));
    zyntest::LogCapture log;
    EXPECT_FALSE(core->Flush());
    EXPECT_TRUE(log.Contains("Can not save \"Configs/Core.xml\": it would be larger than 16777216 bytes.")) << log.Text();
    EXPECT_EQ(ReadFile(CorePath()), old);
    core->WriteString("C", "K", std::string(1 << 20, 'v'));
    EXPECT_TRUE(core->Flush()) << "below the bound";
    wxXmlDocument back;
    EXPECT_TRUE(back.Load(CorePath()));
}
