// Fuzzes the reading of last.srd, and the storing of whatever path that reading yields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "last_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::string path = tavro::lastStateField(bytes);

    // A path that can be stored must read back as the same path.
    QByteArray stored;
    if (!tavro::lastStateBytes(path, stored)) return 0;
    if (tavro::lastStateField(stored) != path) std::abort();
    tavro::PictureBaseName(path, "/opt/tavro");
    return 0;
}
