// The one table of workshop formats and the adapters from the table's writer to each writer.
#include "workshop_formats.h"

#include "workshop_files.h"
#ifdef TAVRO_WITH_STEP
#include "step_writer.h"
#endif

namespace tavro {
namespace {

std::string dxf(const Contour& contour, const WorkshopJob& job) {
    return contourDxf(contour, notesOf(job.design));
}

std::string svg(const Contour& contour, const WorkshopJob& job) {
    return contourSvg(contour, notesOf(job.design));
}

// A huge nozzle's solid or table would exhaust the memory and the disk before it is made.
constexpr double kLargestStl = 2.0 * 1024 * 1024 * 1024;
constexpr double kMostStations = 10e6;

std::string refused(const WorkshopJob& job, const char* why) {
    if (job.why) *job.why = why;
    return {};
}

std::string stl(const Contour& contour, const WorkshopJob& job) {
    if (stlSize(contour) > kLargestStl)
        return refused(job,
                       "Модель STL заняла бы более 2 ГБ: сопло слишком велико для этого формата");
    const std::vector<std::uint8_t> bytes = contourStl(contour, notesOf(job.design));
    return {bytes.begin(), bytes.end()};
}

#ifdef TAVRO_WITH_STEP
std::string step(const Contour& contour, const WorkshopJob& job) {
    return contourStep(contour, asciiText(job.design.Title), job.why);
}
#endif

std::string stations(const Contour& contour, const WorkshopJob& job) {
    if (stationRows(contour, job.step) > kMostStations)
        return refused(job, "Таблица заняла бы более 10 миллионов строк: задайте шаг крупнее");
    return stationTable(contour, job.step, job.decimalSeparator);
}

}  // namespace

const std::vector<WorkshopFormat>& workshopFormats() {
    static const std::vector<WorkshopFormat> formats = {
        {"DXF", "dxf", "DXF drawings (*.dxf) | *.dxf", ".dxf", "--dxf",
         "the contour for CAD and CAM: DXF in mm, closed section and half-profile loops", false,
         dxf},
        {"SVG", "svg", "SVG pictures (*.svg) | *.svg", ".svg", "--svg",
         "the contour as a picture at true size, one closed path", false, svg},
        {"STL", "stl", "STL solids (*.stl) | *.stl", ".stl", "--stl",
         "the flow passage as a closed binary STL solid, mm", false, stl},
#ifdef TAVRO_WITH_STEP
        {"STEP", "step", "STEP solids (*.stp) | *.stp", ".stp", "--stp",
         "the flow passage as an exact STEP AP214 solid, mm", false, step},
#endif
        {"CSV", "таблица координат", "CSV tables (*.csv) | *.csv", ".csv", "--stations",
         "the lathe table (CSV): a row wherever the wall has moved the step along the axis or "
         "in radius (--step MM, 1 by default), at every joint and at the throat",
         true, stations},
    };
    return formats;
}

bool writesStep() {
#ifdef TAVRO_WITH_STEP
    return true;
#else
    return false;
#endif
}

}  // namespace tavro
