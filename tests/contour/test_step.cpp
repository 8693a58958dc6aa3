// The STEP solid read back with Open CASCADE: one closed valid solid of the passage's volume.
#include <gtest/gtest.h>

#include <unistd.h>

#include <BRepBndLib.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <STEPControl_Reader.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Shell.hxx>
#include <filesystem>
#include <fstream>

#include "contour_support.h"
#include "pi.h"
#include "step_writer.h"
#include "workshop_files.h"

// Open CASCADE keeps its translators' registries for the life of the process; the leak checker
// would report them after every test that wrote STEP.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libTKernel.so\nleak:libTKXSBase.so\nleak:libTKSTEP.so\nleak:libTKSTEPBase.so\n";
}

namespace tavro::test {
namespace {

namespace fs = std::filesystem;

// The integral of pi r^2 along the exact wall (Simpson's rule on each piece's axial span).
double passageVolume(const Contour& c) {
    constexpr int kIntervals = 4000;
    double volume = 0;
    for (size_t i = passageStart(c); i < c.pieces.size(); ++i) {
        const Piece& p = c.pieces[i];
        const double a = p.start.x, h = (p.end.x - a) / kIntervals;
        double sum = 0;
        for (int k = 0; k <= kIntervals; ++k) {
            const double r = radiusAt(p, a + k * h);
            sum += (k == 0 || k == kIntervals ? 1 : k % 2 ? 4 : 2) * r * r;
        }
        volume += kPi * sum * h / 3;
    }
    return volume;
}

class Step : public ::testing::TestWithParam<Typed> {};

TEST_P(Step, ReadsBackAsOneClosedSolidOfThePassage) {
    const DesignState design = computed(GetParam());
    const auto contour = contourOf(design);
    ASSERT_TRUE(contour);
    const std::string bytes = contourStep(*contour, asciiText(design.Title));
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.rfind("ISO-10303-21;", 0), 0u);
    for (const char* entity : {"AUTOMOTIVE_DESIGN", "SI_UNIT(.MILLI.,.METRE.)", "B_SPLINE_CURVE",
                               "CIRCLE", "MANIFOLD_SOLID_BREP", "'Soplo'"})
        EXPECT_NE(bytes.find(entity), std::string::npos) << entity;

    const fs::path file = fs::temp_directory_path() /
                          ("tavro_step_" + std::to_string(::getpid()) + GetParam().name + ".stp");
    std::ofstream(file, std::ios::binary) << bytes;
    STEPControl_Reader reader;
    ASSERT_EQ(reader.ReadFile(file.c_str()), IFSelect_RetDone);
    fs::remove(file);
    ASSERT_GT(reader.TransferRoots(), 0);
    const TopoDS_Shape shape = reader.OneShape();

    int solids = 0;
    for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) ++solids;
    EXPECT_EQ(solids, 1);
    EXPECT_TRUE(BRepCheck_Analyzer(shape).IsValid());
    for (TopExp_Explorer e(shape, TopAbs_SHELL); e.More(); e.Next())
        EXPECT_TRUE(BRep_Tool::IsClosed(TopoDS::Shell(e.Current())));

    GProp_GProps props;
    BRepGProp::VolumeProperties(shape, props);
    const double expected = passageVolume(*contour);
    EXPECT_NEAR(props.Mass() / expected, 1, 1e-4) << props.Mass() << " mm3 against " << expected;

    Bnd_Box box;
    BRepBndLib::AddOptimal(shape, box, false, false);
    double x0, y0, z0, x1, y1, z1;
    box.Get(x0, y0, z0, x1, y1, z1);
    double widest = 0;
    for (size_t i = passageStart(*contour); i < contour->pieces.size(); ++i)
        widest = std::max({widest, contour->pieces[i].start.y, contour->pieces[i].end.y});
    EXPECT_NEAR(z0, contour->pieces[passageStart(*contour)].start.x, 1e-6);
    EXPECT_NEAR(z1, contour->length, 1e-6);
    EXPECT_NEAR(x1 - x0, 2 * widest, 1e-6);
    EXPECT_NEAR(y1 - y0, 2 * widest, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Designs, Step, ::testing::ValuesIn(kDesigns), testName);

}  // namespace
}  // namespace tavro::test
