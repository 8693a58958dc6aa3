// The grey outline of the blank the nozzle is cut from.
#include "builders.h"
#include "faults.h"
#include "rebuilder.h"

namespace tavro {

void drawBody(DrawingTarget& target, double length, double exitRadius, double entryRadius,
              double axisX, double entryY, double scale) {
    target.setDrawWidth(1);
    target.setDrawStyle(kSolid);
    if (exitRadius * entryRadius * length == 0) return;
    const double r = exitRadius > entryRadius ? exitRadius : entryRadius;
    const double half = r * scale, depth = length * scale;
    target.line(single(axisX - half), single(entryY), single(axisX + half), single(entryY + depth),
                kGrey, true);
}

bool BodyBuilder(DrawingTarget& target, double length, double exitRadius, double entryRadius,
                 double axisX, double entryY, double scale, Reporter& reporter) {
    try {
        drawBody(target, length, exitRadius, entryRadius, axisX, entryY, scale);
        return true;
    } catch (const CalcFault&) {
        reporter.reportError("BodyBuilder");
        return false;
    }
}

}  // namespace tavro
