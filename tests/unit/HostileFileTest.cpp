// Data files that are not what they seem: a FIFO where a file should be, a
// picture whose header declares a size far beyond any use, a stored position
// beyond any screen, the temporary file of a save that was cut short.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <filesystem>

#include <wx/image.h>
#include <wx/imagbmp.h>
#include <wx/imagpng.h>

#include "AtomicFile.h"
#include "LogCapture.h"
#include "Picture.h"
#include "RegularFile.h"
#include "TestSupport.h"
#include "ZynWidget.h"

namespace {

uint32_t Crc(const unsigned char* p, size_t n)
{
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

void Put32(std::string& s, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s[at + i] = static_cast<char>(v >> (24 - 8 * i));
}

// A real PNG of 1 x 1 whose header then says width x height (with a valid checksum):
// a decoder would allocate for the declared size.
std::string PngDeclaring(const std::string& dir, uint32_t width, uint32_t height)
{
    const std::string path = dir + "/declared.png";
    wxImage one(1, 1);
    EXPECT_TRUE(one.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG));
    std::string bytes = zyntest::ReadFile(path);
    Put32(bytes, 16, width);
    Put32(bytes, 20, height);
    Put32(bytes, 29, Crc(reinterpret_cast<const unsigned char*>(bytes.data()) + 12, 17));
    EXPECT_TRUE(zyntest::WriteFile(path, bytes));
    return path;
}

class HostileFiles : public testing::Test {
protected:
    void SetUp() override
    {
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxImage::AddHandler(new wxPNGHandler);
        if (!wxImage::FindHandler(wxBITMAP_TYPE_BMP))
            wxImage::AddHandler(new wxBMPHandler);
    }
    std::string Fifo(const std::string& name)
    {
        const std::string path = dir / name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
        return path;
    }
    zyntest::TempDir dir;
};

} // namespace

TEST_F(HostileFiles, PicturesDeclaringASideOverTheLimitAreRefusedBeforeDecoding)
{
    struct Case {
        uint32_t width, height;
        bool loads;
    };
    const Case cases[] = {
        {1, 1, true},
        {16000, 16000, false}, {4097, 1, false}, {1, 4097, false}, {0x80000000u, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        const std::string path = PngDeclaring(dir.Path(), c.width, c.height);
        zyntest::LogCapture log;
        EXPECT_EQ(Picture::Load(wxString::FromUTF8(path)).IsOk(), c.loads);
        const bool refused = log.Contains("is larger than 4096 x 4096");
        EXPECT_EQ(refused, c.width > 4096 || c.height > 4096) << log.Text();
        if (refused) {
            EXPECT_TRUE(log.Contains(path)) << log.Text();
        }
    }
    // The largest side allowed loads.
    for (const wxSize size : {wxSize(4096, 1), wxSize(1, 4096)}) {
        wxImage image(size.x, size.y);
        const std::string path = dir / "edge.png";
        ASSERT_TRUE(image.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG));
        EXPECT_EQ(Picture::Load(wxString::FromUTF8(path)).GetSize(), size);
    }
}

TEST_F(HostileFiles, OtherFormatsAreMeasuredBeforeDecodingToo)
{
    wxImage image(8, 4);
    const std::string path = dir / "picture.bmp";
    ASSERT_TRUE(image.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_BMP));
    EXPECT_EQ(Picture::Load(wxString::FromUTF8(path)).GetSize(), wxSize(8, 4));
    // The info header's width (offset 18, little-endian) made 20000.
    std::string bytes = zyntest::ReadFile(path);
    bytes[18] = static_cast<char>(20000 & 0xFF);
    bytes[19] = static_cast<char>(20000 >> 8);
    ASSERT_TRUE(zyntest::WriteFile(path, bytes));
    zyntest::LogCapture log;
    EXPECT_FALSE(Picture::Load(wxString::FromUTF8(path)).IsOk());
    EXPECT_TRUE(log.Contains("is not loaded")) << log.Text();
}

TEST_F(HostileFiles, AFifoIsSkippedAtOnceByEveryReader)
{
    const std::string fifo = Fifo("Sounds/welcome.wav");
    zyntest::LogCapture log;
    wxFile file;
    EXPECT_FALSE(RegularFile::Open(wxString::FromUTF8(fifo), file));
    EXPECT_FALSE(RegularFile::IsReadable(wxString::FromUTF8(fifo)));
    EXPECT_FALSE(RegularFile::IsReplaceable(wxString::FromUTF8(fifo)));
    EXPECT_FALSE(Picture::Load(wxString::FromUTF8(fifo)).IsOk());
    EXPECT_TRUE(log.Contains("is not a regular file; it is skipped.")) << log.Text();
    // A missing file is no FIFO: nothing to say about it, and it may be created.
    EXPECT_FALSE(RegularFile::IsReadable(wxString::FromUTF8(dir / "missing")));
    EXPECT_TRUE(RegularFile::IsReplaceable(wxString::FromUTF8(dir / "missing")));
    ASSERT_TRUE(zyntest::WriteFile(dir / "plain", "x"));
    EXPECT_TRUE(RegularFile::Open(wxString::FromUTF8(dir / "plain"), file));
    char c = 0;
    EXPECT_EQ(file.Read(&c, 1), 1);
    EXPECT_EQ(c, 'x');
}

TEST_F(HostileFiles, ASaveReplacesAFifoLeftAsItsTemporaryFile)
{
    const std::string target = dir / "launcher.xml";
    Fifo("launcher.xml.tmp");
    wxString error;
    EXPECT_TRUE(WriteFileAtomically(wxString::FromUTF8(target), "<Launcher/>", error)) << error;
    EXPECT_EQ(zyntest::ReadFile(target), "<Launcher/>");
    EXPECT_FALSE(std::filesystem::exists(target + ".tmp"));
}

TEST_F(HostileFiles, LeftoverTemporariesAreRemovedButFoldersAndOtherFilesStay)
{
    const std::string target = dir / "Core.xml";
    ASSERT_TRUE(zyntest::WriteFile(target, "kept"));
    ASSERT_TRUE(zyntest::WriteFile(target + ".tmp", "<Core"));
    EXPECT_TRUE(RemoveLeftoverTemporary(wxString::FromUTF8(target)));
    EXPECT_FALSE(std::filesystem::exists(target + ".tmp"));
    EXPECT_EQ(zyntest::ReadFile(target), "kept");
    EXPECT_FALSE(RemoveLeftoverTemporary(wxString::FromUTF8(target)));
    Fifo("Core.xml.tmp");
    EXPECT_TRUE(RemoveLeftoverTemporary(wxString::FromUTF8(target)));
    std::filesystem::create_directory(target + ".tmp");
    EXPECT_FALSE(RemoveLeftoverTemporary(wxString::FromUTF8(target)));
    EXPECT_TRUE(std::filesystem::is_directory(target + ".tmp"));
}

TEST(StoredPosition, AnyStoredNumberGivesAPointOnTheScreen)
{
    struct Case {
        long x, y;
        wxPoint on;
    };
    const wxSize screen(1920, 1080);
    const Case cases[] = {
        {640, 200, {640, 200}},         {0, 0, {0, 0}},
        {1919, 1079, {1919, 1079}},     {1920, 1080, {1919, 1079}},
        {INT_MAX, INT_MAX, {1919, 1079}}, {LONG_MAX, LONG_MIN, {1919, 0}},
        {-5, -99999, {0, 0}},           {4294967297L, 700, {1919, 700}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(WidgetWindow::OnScreen(c.x, c.y, screen), c.on);
    }
    EXPECT_EQ(WidgetWindow::OnScreen(500, 500, wxSize(0, 0)), wxPoint(0, 0));
}
