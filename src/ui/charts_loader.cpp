// Loads the characteristics window's module when the window is first opened: linked to the
// program, Qt Charts and the OpenGL libraries it brings would cost every start.
#include <string>
#include <vector>

#include "charts_module.h"
#include "module_loader.h"

namespace tavro {
namespace {

constexpr const char* kModule = "libtavrocharts.so";

std::string& searchFolder() {
    static std::string folder;
    return folder;
}

bool load(const std::vector<std::string>& folders, const char* buildFolder, ChartsModule& module,
          std::string& why) {
    std::vector<void*> entries;
    if (!loadModule(folders, buildFolder, kModule, {kChartsWindowEntry, kChartsShowEntry},
                    "нет окна характеристик", entries, why))
        return false;
    module = {reinterpret_cast<ChartsWindowEntry>(entries[0]),
              reinterpret_cast<ChartsShowEntry>(entries[1])};
    return true;
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
    if (!found) found = load(moduleFolders(), TAVRO_CHARTS_MODULE_DIR, loaded, why);
    return found ? &loaded : nullptr;
}

void searchChartsModuleIn(const std::string& folder) {
    searchFolder() = folder;
}

}  // namespace tavro
