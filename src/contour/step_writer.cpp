// The flow passage as an exact STEP solid: the one file that links Open CASCADE.
#include "step_writer.h"

#include <APIHeaderSection_MakeHeader.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <Geom_BSplineCurve.hxx>
#include <Interface_Static.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <STEPControl_Writer.hxx>
#include <Standard_Failure.hxx>
#include <StepAP214.hxx>
#include <StepAP214_Protocol.hxx>
#include <StepData_StepModel.hxx>
#include <StepData_StepWriter.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array1OfPnt.hxx>
#include <TopoDS.hxx>
#include <gp_Ax1.hxx>
#include <sstream>

#include "pi.h"

namespace tavro {
namespace {

constexpr double kTwoPi = 2 * kPi;

// Contour (x along the axis, y the radius) in the XZ plane, Z along the axis.
gp_Pnt spatial(const Point& p) {
    return {p.y, 0, p.x};
}

TopoDS_Edge edgeOf(const Piece& piece) {
    switch (piece.kind) {
        case PieceKind::Cone:
            return BRepBuilderAPI_MakeEdge(spatial(piece.start), spatial(piece.end));
        case PieceKind::InletFillet:
        case PieceKind::OutletFillet:
            return BRepBuilderAPI_MakeEdge(GC_MakeArcOfCircle(spatial(piece.start),
                                                              spatial(pointOn(piece, 0.5)),
                                                              spatial(piece.end))
                                               .Value());
        case PieceKind::Supersonic:
            break;
    }
    TColgp_Array1OfPnt poles(1, 3);
    poles(1) = spatial(piece.start);
    poles(2) = spatial(piece.control);
    poles(3) = spatial(piece.end);
    TColStd_Array1OfReal knots(1, 2);
    knots(1) = 0;
    knots(2) = 1;
    TColStd_Array1OfInteger multiplicities(1, 2);
    multiplicities(1) = 3;
    multiplicities(2) = 3;
    return BRepBuilderAPI_MakeEdge(new Geom_BSplineCurve(poles, knots, multiplicities, 2));
}

// The half-section bounded by the wall, the exit radius, the axis and the entrance radius.
TopoDS_Face halfSection(const Contour& contour) {
    BRepBuilderAPI_MakeWire wire;
    // A flat entrance face would lie on the entrance radius line: the passage starts after it.
    const auto first = contour.pieces.begin() + static_cast<std::ptrdiff_t>(passageStart(contour));
    const Point entrance = first->start, exit = contour.pieces.back().end;
    for (auto p = first; p != contour.pieces.end(); ++p) wire.Add(edgeOf(*p));
    wire.Add(BRepBuilderAPI_MakeEdge(spatial(exit), spatial({exit.x, 0})).Edge());
    wire.Add(BRepBuilderAPI_MakeEdge(spatial({exit.x, 0}), spatial({entrance.x, 0})).Edge());
    wire.Add(BRepBuilderAPI_MakeEdge(spatial({entrance.x, 0}), spatial(entrance)).Edge());
    return BRepBuilderAPI_MakeFace(wire.Wire(), true);
}

}  // namespace

std::string contourStep(const Contour& contour, const std::string& asciiTitle) {
    // Open CASCADE reports each transfer on standard output, where the tool writes its results.
    static const bool quiet = [] {
        Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
        return true;
    }();
    (void)quiet;
    try {
        const TopoDS_Shape solid =
            BRepPrimAPI_MakeRevol(halfSection(contour), gp_Ax1(gp::Origin(), gp::DZ()), kTwoPi)
                .Shape();
        STEPControl_Writer writer;
        Interface_Static::SetCVal("write.step.schema", "AP214IS");
        Interface_Static::SetCVal("write.step.unit", "MM");
        Interface_Static::SetCVal("write.step.product.name", asciiTitle.c_str());
        if (writer.Transfer(solid, STEPControl_ManifoldSolidBrep) != IFSelect_RetDone) return {};
        const Handle(StepData_StepModel) model = writer.Model();
        APIHeaderSection_MakeHeader header(model);
        header.SetName(new TCollection_HAsciiString(asciiTitle.c_str()));
        header.SetOriginatingSystem(new TCollection_HAsciiString("Tavro-nozzle"));
        std::ostringstream out;
        StepData_StepWriter step(model);
        step.SendModel(StepAP214::Protocol());
        if (!step.Print(out)) return {};
        return out.str();
    } catch (const Standard_Failure&) {
        return {};
    }
}

}  // namespace tavro

// Open CASCADE keeps its translators' registries and memory for the life of the process, which
// the leak checker of a sanitizer build would report at the exit of every program that wrote
// STEP. Weak, so that a program with suppressions of its own names these in its list.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVRO_LEAK_CHECKED 1
#endif
#elif defined(__SANITIZE_ADDRESS__)
#define TAVRO_LEAK_CHECKED 1
#endif
#ifdef TAVRO_LEAK_CHECKED
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() {
    return "leak:libTKernel.so\nleak:libTKXSBase.so\nleak:libTKSTEP.so\nleak:libTKSTEPBase.so\n";
}
#endif
