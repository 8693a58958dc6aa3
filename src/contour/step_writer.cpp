// The STEP module: the flow passage as an exact solid, made with Open CASCADE. Loaded only when
// a STEP file is written, so that the programs start without Open CASCADE's libraries.
#include <cmath>
#include <string>

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

#include "contour.h"
#include "pi.h"

namespace tavro {
namespace {

constexpr double kTwoPi = 2 * kPi;

// Contour (x along the axis, y the radius) in the XZ plane, Z along the axis.
gp_Pnt spatial(const Point& p) {
    return {p.y, 0, p.x};
}

// The middle of a fillet, which turns less than half a circle from its start to its end.
Point arcMiddle(const Piece& arc) {
    const double x = arc.start.x + arc.end.x - 2 * arc.centre.x;
    const double y = arc.start.y + arc.end.y - 2 * arc.centre.y;
    const double length = std::hypot(x, y);
    return {arc.centre.x + arc.radius * x / length, arc.centre.y + arc.radius * y / length};
}

TopoDS_Edge edgeOf(const Piece& piece) {
    switch (piece.kind) {
        case PieceKind::Cone:
            return BRepBuilderAPI_MakeEdge(spatial(piece.start), spatial(piece.end));
        case PieceKind::InletFillet:
        case PieceKind::OutletFillet:
            return BRepBuilderAPI_MakeEdge(GC_MakeArcOfCircle(spatial(piece.start),
                                                              spatial(arcMiddle(piece)),
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
TopoDS_Face halfSection(const Contour& contour, size_t firstPiece) {
    BRepBuilderAPI_MakeWire wire;
    const auto first = contour.pieces.begin() + static_cast<std::ptrdiff_t>(firstPiece);
    const Point entrance = first->start, exit = contour.pieces.back().end;
    for (auto p = first; p != contour.pieces.end(); ++p) wire.Add(edgeOf(*p));
    wire.Add(BRepBuilderAPI_MakeEdge(spatial(exit), spatial({exit.x, 0})).Edge());
    wire.Add(BRepBuilderAPI_MakeEdge(spatial({exit.x, 0}), spatial({entrance.x, 0})).Edge());
    wire.Add(BRepBuilderAPI_MakeEdge(spatial({entrance.x, 0}), spatial(entrance)).Edge());
    return BRepBuilderAPI_MakeFace(wire.Wire(), true);
}

}  // namespace
}  // namespace tavro

// The module's one entry: the solid of the passage from `firstPiece` on (a flat entrance face
// before it lies on the entrance radius line), its product named after the ASCII title. False
// when Open CASCADE cannot make it.
extern "C" __attribute__((visibility("default"))) bool tavroContourStep(
    const tavro::Contour& contour, size_t firstPiece, const char* asciiTitle, std::string& out) {
    using namespace tavro;
    // Open CASCADE reports each transfer on standard output, where the tool writes its results.
    static const bool quiet = [] {
        Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
        return true;
    }();
    (void)quiet;
    try {
        const TopoDS_Shape solid = BRepPrimAPI_MakeRevol(halfSection(contour, firstPiece),
                                                         gp_Ax1(gp::Origin(), gp::DZ()), kTwoPi)
                                       .Shape();
        STEPControl_Writer writer;
        Interface_Static::SetCVal("write.step.schema", "AP214IS");
        Interface_Static::SetCVal("write.step.unit", "MM");
        Interface_Static::SetCVal("write.step.product.name", asciiTitle);
        if (writer.Transfer(solid, STEPControl_ManifoldSolidBrep) != IFSelect_RetDone) return false;
        const Handle(StepData_StepModel) model = writer.Model();
        APIHeaderSection_MakeHeader header(model);
        header.SetName(new TCollection_HAsciiString(asciiTitle));
        header.SetOriginatingSystem(new TCollection_HAsciiString("Tavro-nozzle"));
        std::ostringstream text;
        StepData_StepWriter step(model);
        step.SendModel(StepAP214::Protocol());
        if (!step.Print(text)) return false;
        out = text.str();
        return true;
    } catch (const Standard_Failure&) {
        return false;
    }
}
