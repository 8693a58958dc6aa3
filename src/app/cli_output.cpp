// The drawing outputs of the command-line tool: PNG of the sheet, PDF page, recording.
#include "cli_output.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <charconv>
#include <fstream>
#include <ostream>
#include <sstream>

#include "cli.h"
#include "faults.h"
#include "painter_target.h"
#include "rebuilder.h"
#include "recording_target.h"
#include "safe_file.h"

namespace tavro {

const char* const kOutputUsage =
    "  --png FILE [--size WxH]  the window drawing on a white sheet (700x1000 by default)\n"
    "  --pdf FILE [--template]  the printed drawing, or every page of the full-size template\n"
    "  --half                   the template as a half profile: one wall and the axis, to mirror\n"
    "  --page A4|A3|Letter      the paper of the PDF (A4 by default)\n"
    "  --landscape              the paper turned across (a template turns when that saves pages)\n"
    "  --max-pages N            the most pages a template may take (200 by default)\n"
    "  --record FILE            the drawing operations of the window drawing, one a line\n";

namespace {

constexpr int kPdfResolution = 600;

// Fonts need a GUI application; without a display the offscreen platform is enough.
void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tavro-nozzle-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

constexpr int kLargestSide = 20000;  // pixels: a 1.6 GB picture in memory

bool parseSize(const std::string& text, int& w, int& h) {
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    const char* end = text.data() + text.size();
    const auto rw = std::from_chars(text.data(), text.data() + x, w);
    const auto rh = std::from_chars(text.data() + x + 1, end, h);
    return rw.ec == std::errc() && rw.ptr == text.data() + x && rh.ec == std::errc() &&
           rh.ptr == end && w > 0 && h > 0 && w <= kLargestSide && h <= kLargestSide;
}

// Every output goes through the same safe save as --save: a failure keeps the earlier file.
int writeBytes(const std::string& path, const QByteArray& bytes, std::ostream& err) {
    std::string why;
    if (replaceFile(path, bytes, &why)) return kExitOk;
    err << path << ": not saved: " << why << '\n';
    return kExitSaveFailed;
}

int statusOf(RebuildOutcome outcome) {
    switch (outcome) {
        case RebuildOutcome::Drawn:
            return kExitOk;
        case RebuildOutcome::OffDesign:
            return kExitOffDesign;
        case RebuildOutcome::Blank:
        case RebuildOutcome::Failed:
            break;
    }
    return kExitError;
}

// The window would show the blank-sheet prompt; the tool says why nothing was written.
int statusOf(RebuildOutcome outcome, std::ostream& err) {
    if (outcome == RebuildOutcome::Blank) err << "nothing to draw: the nozzle has no size\n";
    return statusOf(outcome);
}

int recordDrawing(const OutputOptions& o, DesignState& state, char sep, Reporter& reporter,
                  std::ostream& err) {
    std::ostringstream text;
    RecordingTarget sheet(text, kRecordedSheet, kRecordedPage, kSheetFontPoints);
    const RebuildOutcome outcome = Rebuilder(sheet, state, OutputMode::Window, sep, reporter);
    if (outcome != RebuildOutcome::Drawn) return statusOf(outcome, err);
    const std::string s = text.str();
    return writeBytes(o.record, QByteArray(s.data(), static_cast<qsizetype>(s.size())), err);
}

int drawPng(const OutputOptions& o, DesignState& state, char sep, Reporter& reporter,
            std::ostream& err) {
    QImage image(o.width, o.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    RebuildOutcome outcome;
    {
        PainterTarget sheet(image, kSheetFontPoints);
        outcome =
            Rebuilder(sheet, state, Output(OutputMode::Window, PainterTarget::systemButtonFace()),
                      sep, reporter);
    }
    if (outcome != RebuildOutcome::Drawn) return statusOf(outcome, err);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        err << o.png << ": not saved: the picture could not be encoded\n";
        return kExitSaveFailed;
    }
    return writeBytes(o.png, bytes, err);
}

QPageSize::PageSizeId paperId(const std::string& name) {
    if (name == "A3") return QPageSize::A3;
    if (name == "Letter") return QPageSize::Letter;
    return QPageSize::A4;
}

// The pages are made in memory: a drawing that stops early leaves no file behind.
int drawPdf(const OutputOptions& o, DesignState& state, char sep, Reporter& reporter,
            std::ostream& err) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    RebuildOutcome outcome;
    bool finished;
    {
        QPdfWriter writer(&buffer);
        setUpPdf(writer, kPdfResolution,
                 pdfPageLayout(QPageSize(paperId(o.paper)),
                               o.landscape ? QPageLayout::Landscape : QPageLayout::Portrait));
        Output output(o.pdfMode);
        TemplatePlan plan;
        if (rulesOf(o.pdfMode).fullSize && state.InRange) {
            // A mistyped size would print for minutes into a file nobody can use: the pages
            // are counted before any is made.
            const TemplateShape shape = o.half ? TemplateShape::Half : TemplateShape::Whole;
            const int pages = planForPaper(writer, state, kPageFontPoints, true, shape).pageCount();
            if (pages > o.maxPages) {
                err << "the template takes " << pages << " pages, more than --max-pages "
                    << o.maxPages << '\n';
                return kExitUsage;
            }
            plan = planForPaper(writer, state, kPageFontPoints, false, shape);
            output.plan = &plan;
        }
        PainterTarget page(writer, {}, kPageFontPoints);
        outcome = Rebuilder(page, state, output, sep, reporter);
        finished = page.finished() && outcome == RebuildOutcome::Drawn;
    }
    if (outcome != RebuildOutcome::Drawn) return statusOf(outcome);
    if (!finished) return kExitError;
    return writeBytes(o.pdf, bytes, err);
}

}  // namespace

bool isOutputOption(const std::string& a) {
    return a == "--png" || a == "--size" || a == "--pdf" || a == "--template" || a == "--record" ||
           a == "--page" || a == "--landscape" || a == "--max-pages" || a == "--half";
}

std::string parseOutputOption(const std::vector<std::string>& args, size_t& i, OutputOptions& o) {
    const std::string& a = args[i];
    if (a == "--template" || a == "--half") {
        o.pdfMode = OutputMode::Template;
        o.half = o.half || a == "--half";
        return "";
    }
    if (a == "--landscape") {
        o.landscape = true;
        return "";
    }
    if (i + 1 >= args.size()) return a + " needs a value";
    const std::string& v = args[++i];
    if (a == "--png") {
        o.png = v;
    } else if (a == "--pdf") {
        o.pdf = v;
    } else if (a == "--record") {
        o.record = v;
    } else if (a == "--page") {
        if (v != "A4" && v != "A3" && v != "Letter") return "bad page " + v + " (A4, A3 or Letter)";
        o.paper = v;
    } else if (a == "--max-pages") {
        const char* end = v.data() + v.size();
        const auto r = std::from_chars(v.data(), end, o.maxPages);
        if (r.ec != std::errc() || r.ptr != end || o.maxPages < 1)
            return "bad page count " + v + " (a whole number from 1 expected)";
    } else if (!parseSize(v, o.width, o.height)) {
        return "bad size " + v + " (WxH expected, each from 1 to " + std::to_string(kLargestSide) +
               " pixels)";
    }
    return "";
}

int drawOutputs(const OutputOptions& o, DesignState& state, char sep, std::ostream& err) {
    if (!o.any()) return kExitOk;
    ensureGuiApplication();
    StreamReporter reporter(err);
    int status = kExitOk;
    const auto run = [&](const std::string& file, auto draw) {
        if (file.empty() || status == kExitOffDesign) return;
        const int s = draw(o, state, sep, reporter, err);
        if (s == kExitOffDesign || status == kExitOk) status = s;
    };
    run(o.record, recordDrawing);
    run(o.png, drawPng);
    run(o.pdf, drawPdf);
    return status;
}

}  // namespace tavro
