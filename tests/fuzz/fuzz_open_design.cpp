// Fuzzes what Open and the start-up do with a parameter file: load it, compute it without any
// input check, and draw it in all three outputs.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "core.h"
#include "design_state.h"
#include "faults.h"
#include "params_file.h"
#include "rebuilder.h"
#include "recording_target.h"

namespace {

// Reports are expected on such input; the fuzzer looks for crashes and undefined behaviour.
class Quiet : public tavro::Reporter {
  public:
    void reportError(const std::string&) override {}
    void reportOffDesign() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Quiet quiet;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    tavro::FieldTable fields;
    tavro::DesignState state;
    if (!tavro::loadParamsBytes(bytes, state, fields)) return 0;
    state.InRange = true;
    tavro::computeDesign(state, fields, ',', quiet);
    for (const tavro::OutputMode mode :
         {tavro::OutputMode::Window, tavro::OutputMode::Drawing, tavro::OutputMode::Template}) {
        std::ostringstream recording;
        tavro::RecordingTarget target(recording, tavro::kRecordedSheet, tavro::kRecordedPage, 10);
        tavro::Rebuilder(target, state, mode, '.', quiet);
    }
    return 0;
}
