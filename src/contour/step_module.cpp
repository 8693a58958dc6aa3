// Loads the STEP module on the first STEP file, so that no program pays at start-up for
// Open CASCADE's libraries.
#include <dlfcn.h>
#include <unistd.h>

#include "program_folder.h"
#include "step_writer.h"

namespace tavro {
namespace {

using StepEntry = bool (*)(const Contour&, size_t, const char*, std::string&);
constexpr const char* kModule = "libtavrostep.so";

// Beside the program, then in the install's lib/tavro-nozzle, then where the build put it
// (programs of the build tree that live in other folders: the tests).
StepEntry loadEntry(std::string& why) {
    const std::string dir = programFolder();
    const std::string places[] = {dir + "/" + kModule, dir + "/../lib/tavro-nozzle/" + kModule,
                                  std::string(TAVRO_STEP_MODULE_DIR "/") + kModule};
    for (const std::string& place : places) {
        if (::access(place.c_str(), R_OK) != 0) continue;
        void* module = ::dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* error = ::dlerror();
            why = error ? error : "модуль STEP " + place + " не загружается";
            return nullptr;
        }
        if (auto* entry = reinterpret_cast<StepEntry>(::dlsym(module, "tavroContourStep")))
            return entry;
        why = "в модуле " + place + " нет записи STEP";
        return nullptr;
    }
    why = std::string("нет модуля STEP ") + kModule + " рядом с программой";
    return nullptr;
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
