#include "integration/dosbox_config.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>
#include <vector>

#include "platform/sim/sim_machine.h"
#include "test_resources.h"
#include "util/errors.h"

using platform::sim::Machine;

namespace {

using Settings = std::vector<std::pair<std::string, std::vector<std::string>>>;

// The sections and settings of DOSBox 0.74 that the template must carry.
const Settings kExpectedSettings = {
    {"sdl",
     {"fullscreen=false", "fulldouble=false", "fullresolution=original", "windowresolution=800x600",
      "output=opengl", "autolock=true", "sensitivity=100", "waitonerror=true",
      "priority=higher,normal", "mapperfile=mapper-0.74.map", "usescancodes=true"}},
    {"dosbox", {"language=", "machine=svga_s3", "captures=capture", "memsize=16"}},
    {"render", {"frameskip=0", "aspect=false", "scaler=normal2x"}},
    {"cpu", {"core=auto", "cputype=auto", "cycles=max", "cycleup=10", "cycledown=20"}},
    {"mixer", {"nosound=false", "rate=44100", "blocksize=1024", "prebuffer=20"}},
    {"midi", {"mpu401=intelligent", "mididevice=default", "midiconfig="}},
    {"sblaster",
     {"sbtype=sb16", "sbbase=220", "irq=7", "dma=1", "hdma=5", "sbmixer=true", "oplmode=auto",
      "oplemu=default", "oplrate=44100"}},
    {"gus",
     {"gus=false", "gusrate=44100", "gusbase=240", "gusirq=5", "gusdma=3",
      "ultradir=C:\\ULTRASND"}},
    {"speaker", {"pcspeaker=true", "pcrate=44100", "tandy=auto", "tandyrate=44100", "disney=true"}},
    {"joystick",
     {"joysticktype=auto", "timed=true", "autofire=false", "swap34=false", "buttonwrap=false"}},
    {"serial", {"serial1=dummy", "serial2=dummy", "serial3=disabled", "serial4=disabled"}},
    {"dos", {"xms=true", "ems=true", "umb=true", "keyboardlayout=auto"}},
    {"ipx", {"ipx=false"}},
};

std::string Autoexec(const std::string& mountPath) {
    return "mount c " + mountPath + "\r\nc:\r\ndel f\r\ndornw.exe /ns\r\nexit\r\n";
}

class DosBoxConfigTest : public ::testing::Test {
  protected:
    Machine machine;
    const std::string templ = LoadConfTemplate(machine);
};

}  // namespace

TEST_F(DosBoxConfigTest, TheTemplateIsADosBox074ConfigurationWithOurFixedLines) {
    ASSERT_FALSE(templ.empty());
    EXPECT_EQ(templ.find('\0'), std::string::npos);
    EXPECT_EQ(templ.find("mount c "), std::string::npos);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = templ.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(templ.substr(start, end - start));
    }
    ASSERT_EQ(start, templ.size()) << "the last line ends with CR LF";
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        for (unsigned char c : line) {
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << line;
        }
    }

    const std::vector<std::string> head = {
        "# This is the configurationfile for DOSBox 0.74. (Please use the latest version of "
        "DOSBox)",
        "# Lines starting with a # are commentlines and are ignored by DOSBox.",
        "# They are used to (briefly) document the effect of each option.", ""};
    ASSERT_GT(lines.size(), head.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4), head);

    // Each section: its name, comment lines, a blank line, the settings, a blank line.
    std::size_t at = head.size();
    for (const auto& [section, settings] : kExpectedSettings) {
        ASSERT_LT(at, lines.size());
        ASSERT_EQ(lines[at++], "[" + section + "]");
        const std::size_t comments = at;
        while (at < lines.size() && !lines[at].empty() && lines[at][0] == '#') {
            ++at;
        }
        EXPECT_GT(at, comments) << section << " has comments";
        ASSERT_LT(at + settings.size() + 1, lines.size());
        EXPECT_EQ(lines[at++], "") << section;
        EXPECT_EQ(
            std::vector<std::string>(lines.begin() + at, lines.begin() + at + settings.size()),
            settings);
        at += settings.size();
        EXPECT_EQ(lines[at++], "") << section;
    }
    EXPECT_EQ(
        std::vector<std::string>(lines.begin() + at, lines.end()),
        (std::vector<std::string>{"[autoexec]", "# Lines in this section will be run at startup.",
                                  "# You can put your MOUNT lines here."}));
}

TEST_F(DosBoxConfigTest, WritesTheTemplateAndMountsTheProgramsFolder) {
    machine.AddDrive('D', platform::DriveType::Fixed);
    const struct {
        std::string program, config, mount;
    } cases[] = {
        {"C:\\kr\\dornw.exe", "C:\\kr\\dosbox.conf", "C:\\kr"},
        {"C:\\kr\\\\dornw.exe", "C:\\kr\\dosbox.conf", "C:\\kr"},
        {"D:\\dornw.exe", "D:\\dosbox.conf", "D:"},
        // DOSBox splits an unquoted path at the blank and mounts nothing.
        {"C:\\my games\\kr\\dornw.exe", "C:\\my games\\kr\\dosbox.conf", "\"C:\\my games\\kr\""},
        // DOSBox reads the path in the ANSI code page (here 1252), or else
        // the folder's short name.
        {"C:\\Jos\u00e9\\dornw.exe", "C:\\Jos\u00e9\\dosbox.conf", "C:\\Jos\xE9"},
        {"C:\\\u0142\u00f3d\u017a\\dornw.exe", "C:\\\u0142\u00f3d\u017a\\dosbox.conf", "C:\\ODZ~1"},
    };
    machine.PutFolder("C:\\\u0142\u00f3d\u017a");
    machine.SetShortPath("C:\\\u0142\u00f3d\u017a", "C:\\ODZ~1");
    for (const auto& c : cases) {
        machine.PutFolder(c.config.substr(0, c.config.rfind('\\') + 1));
        const WriteResult result = WriteDosBoxConfig(c.program);
        EXPECT_TRUE(result.written) << c.program;
        EXPECT_EQ(machine.ReadFile(c.config), templ + Autoexec(c.mount)) << c.program;
    }
}

TEST_F(DosBoxConfigTest, ATemplateThatMountsIsCutBeforeIt) {
    machine.PutFolder("C:\\kr");
    machine.SetResource("rs_Conf", "[autoexec]\r\nmount c X:\\old\r\nold.exe\r\n");
    WriteDosBoxConfig("C:\\kr\\dornw.exe");
    EXPECT_EQ(machine.ReadFile("C:\\kr\\dosbox.conf"), "[autoexec]\r\n" + Autoexec("C:\\kr"));
}

TEST_F(DosBoxConfigTest, EveryConfOfTheFolderGoesToTheBinAndNothingElse) {
    machine.PutFile("C:\\kr\\dosbox.conf", "old");
    machine.PutFile("C:\\kr\\MINE.CONF", "the user's");
    machine.PutFile("C:\\kr\\notes.txt", "kept");
    machine.PutFile("C:\\kr\\sub\\deep.conf", "kept");
    machine.PutFile("C:\\other.conf", "kept");
    WriteDosBoxConfig("C:\\kr\\dornw.exe");
    ASSERT_EQ(machine.shellDeletes().size(), 1u);
    EXPECT_EQ(machine.shellDeletes()[0].mask, "C:\\kr\\*.conf");
    EXPECT_EQ(machine.shellDeletes()[0].flags, 0x0654u);
    EXPECT_EQ(machine.recycled(), (std::vector<std::string>{"dosbox.conf", "MINE.CONF"}));
    for (const char* kept : {"C:\\kr\\notes.txt", "C:\\kr\\sub\\deep.conf", "C:\\other.conf"}) {
        EXPECT_EQ(machine.ReadFile(kept), "kept") << kept;
    }

    // A second write sends the first dosbox.conf to the bin and writes the same bytes.
    const std::string first = machine.ReadFile("C:\\kr\\dosbox.conf");
    WriteDosBoxConfig("C:\\kr\\dornw.exe");
    EXPECT_EQ(machine.recycled().back(), "dosbox.conf");
    EXPECT_EQ(machine.ReadFile("C:\\kr\\dosbox.conf"), first);
}

TEST_F(DosBoxConfigTest, AFileThatCannotBeWrittenSaysWhy) {
    machine.PutFile("C:\\kr\\dosbox.conf", "old");
    machine.SetWriteLimit(100);  // the disk fills up part way
    const WriteResult result = WriteDosBoxConfig("C:\\kr\\dornw.exe");
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.reason, "There is not enough space on the disk");
    EXPECT_FALSE(machine.Exists("C:\\kr\\dosbox.conf"));  // the old one is in the bin
}

TEST(DosBoxConfigWithoutTemplate, RaisesBeforeAnythingIsTouched) {
    Machine machine;
    machine.PutFile("C:\\kr\\dosbox.conf", "old");
    try {
        WriteDosBoxConfig("C:\\kr\\dornw.exe");
        ADD_FAILURE() << "no error";
    } catch (const EResNotFound& error) {
        EXPECT_EQ(std::string(error.what()), "Resource rs_Conf not found");
    }
    EXPECT_TRUE(machine.shellDeletes().empty());
    EXPECT_EQ(machine.ReadFile("C:\\kr\\dosbox.conf"), "old");
}
