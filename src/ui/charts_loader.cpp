// Loads the characteristics window's module when the window is first opened: linked to the
// program, Qt Charts and the OpenGL libraries it brings would cost every start.
#include <dlfcn.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "charts_module.h"
#include "program_folder.h"

namespace tavro {
namespace {

constexpr const char* kModule = "libtavrocharts.so";

std::string& searchFolder() {
    static std::string folder;
    return folder;
}

// The module looked for in the folders in turn, then in the build folder if there is one: the
// build tree's programs that live in other folders (the tests) find it there. A module beside the
// program wins, so a build never picks up an installed one.
bool load(const std::vector<std::string>& folders, const char* buildFolder, ChartsModule& module,
          std::string& why) {
    std::vector<std::string> places;
    for (const std::string& folder : folders) places.push_back(folder + "/" + kModule);
    if (buildFolder) places.push_back(std::string(buildFolder) + "/" + kModule);
    for (const std::string& place : places) {
        if (::access(place.c_str(), R_OK) != 0) continue;
        void* handle = ::dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* error = ::dlerror();
            why = "модуль " + place + " не загружается: " + (error ? error : "причина неизвестна");
            return false;
        }
        const ChartsModule entries{
            reinterpret_cast<ChartsWindowEntry>(::dlsym(handle, kChartsWindowEntry)),
            reinterpret_cast<ChartsShowEntry>(::dlsym(handle, kChartsShowEntry))};
        if (entries.window && entries.show) {
            module = entries;
            return true;
        }
        ::dlclose(handle);
        why = "в модуле " + place + " нет окна характеристик";
        return false;
    }
    why = std::string("нет библиотечного файла ") + kModule + " в ";
    for (size_t i = 0; i < folders.size(); ++i) why += (i ? " и в " : "") + folders[i];
    return false;
}

}  // namespace

const ChartsModule* chartsModule(std::string& why) {
    static ChartsModule loaded{};
    static bool found = false;
    if (!searchFolder().empty()) {
        static ChartsModule looked{};
        return load({searchFolder()}, nullptr, looked, why) ? &looked : nullptr;
    }
    // A failure is not kept: the module may be put in place while the program runs.
    if (!found) {
        const std::string dir = programFolder();
        const std::string installed = dir.substr(0, dir.rfind('/')) + "/lib/tavro-nozzle";
        found = load({dir, installed}, TAVRO_CHARTS_MODULE_DIR, loaded, why);
    }
    return found ? &loaded : nullptr;
}

void searchChartsModuleIn(const std::string& folder) {
    searchFolder() = folder;
}

}  // namespace tavro
