// Fuzzes the number rule of the fields and the display of what it reads.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "faults.h"
#include "number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const float value = tavro::single(tavro::readNumber(text));
        tavro::formatFixed(value, 2, ',');
        tavro::formatFixed(value, 4, '.');
        tavro::formatShortest(value, '.');
        tavro::formatRounded(value, 3, ',');
    } catch (const tavro::CalcFault&) {
    }
    if (size >= sizeof(float)) {
        float raw;
        std::memcpy(&raw, data, sizeof raw);
        if (raw == raw && raw - raw == 0) {  // finite values only: the fields never hold others
            tavro::formatFixed(raw, 2, '.');
            tavro::formatShortest(raw, '.');
            tavro::formatRounded(raw, 2, '.');
        }
    }
    return 0;
}
