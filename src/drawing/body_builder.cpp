// The grey outline of the blank the nozzle is cut from.
#include "faults.h"
#include "rebuilder.h"

namespace tavro {

bool BodyBuilder(DrawingTarget& target, double length, double exitRadius, double entryRadius,
                 double axisX, double entryY, double scale) {
    try {
        target.setDrawWidth(1);
        target.setDrawStyle(kSolid);
        if (exitRadius * entryRadius * length == 0) return true;
        const double r = exitRadius > entryRadius ? exitRadius : entryRadius;
        const double half = r * scale, depth = length * scale;
        target.line(single(axisX - half), single(entryY), single(axisX + half),
                    single(entryY + depth), kGrey, true);
        return true;
    } catch (const CalcFault&) {
        reportError("BodyBuilder");
        return false;
    }
}

}  // namespace tavro
