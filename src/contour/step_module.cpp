// Loads the STEP module on the first STEP file, so that no program pays at start-up for
// Open CASCADE's libraries.
#include <string>
#include <vector>

#include "module_loader.h"
#include "step_writer.h"

namespace tavro {
namespace {

using StepEntry = bool (*)(const Contour&, size_t, const char*, std::string&);
constexpr const char* kModule = "libtavrostep.so";

StepEntry loadEntry(std::string& why) {
    std::vector<void*> entries;
    if (!loadModule(moduleFolders(), TAVRO_STEP_MODULE_DIR, kModule, {"tavroContourStep"},
                    "нет записи STEP", entries, why))
        return nullptr;
    return reinterpret_cast<StepEntry>(entries[0]);
}

}  // namespace

std::string contourStep(const Contour& contour, const std::string& asciiTitle, std::string* why) {
    static std::string loadFailure;
    static const StepEntry entry = loadEntry(loadFailure);
    std::string bytes;
    if (!entry) {
        if (why) *why = loadFailure;
        return bytes;
    }
    if (!entry(contour, passageStart(contour), asciiTitle.c_str(), bytes)) {
        if (why) *why = "Open CASCADE не смог построить тело сопла";
        bytes.clear();
    }
    return bytes;
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
