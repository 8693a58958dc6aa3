// Shared pieces of the picture and print tests: a drawn sheet, file helpers, the module folder.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QImage>
#include <QString>
#include <string>

#include "design_state.h"
#include "example_design.h"
#include "painter_target.h"
#include "rebuilder.h"
#include "recording_reporter.h"

namespace tavro::test {

// Where the build puts the real JPEG module, and a folder holding one that writes nothing.
inline const std::string kModuleDir = TAVRO_JPEG_MODULE_DIR;
inline const std::string kSilentModuleDir = TAVRO_SILENT_MODULE_DIR;

// The example design Rkr=10 Qa=10 k=1.24 Pk=5 H=0 with the given entrance radius and angle.
inline DesignState exampleDesign(const std::string& rc = "30", const std::string& qc = "45",
                                 const std::string& altitude = "0") {
    return computedExample({{kRowRc, rc}, {kRowQc, qc}, {kRowH, altitude}});
}

// A sheet of the given size with the example drawn on it as the window draws it.
inline QImage drawnSheet(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    DesignState s = exampleDesign();
    {
        PainterTarget sheet(image);
        FailOnReport noReports;
        const RebuildOutcome outcome = Rebuilder(sheet, s, OutputMode::Window, '.', noReports);
        EXPECT_EQ(outcome, RebuildOutcome::Drawn);
    }
    return image;
}

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// /dev/full must still be the device after a failed write to it (the tests run as root).
inline bool devFullIntact() {
    struct stat st {};
    return stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode);
}

}  // namespace tavro::test
