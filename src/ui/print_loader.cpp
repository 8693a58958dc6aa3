// Loads the printer's module the first time the program prints: linked to the program, Qt Print
// Support would cost every start, and the first frame never prints.
#include <string>
#include <vector>

#include "module_loader.h"
#include "print_module.h"

namespace tavro {
namespace {

constexpr const char* kModule = "libtavroprint.so";

std::string& searchFolder() {
    static std::string folder;
    return folder;
}

const PrintServices* load(const std::vector<std::string>& folders, const char* buildFolder,
                          std::string& why) {
    std::vector<void*> entries;
    if (!loadModule(folders, buildFolder, kModule, {kPrintServicesEntry}, "нет служб печати",
                    entries, why))
        return nullptr;
    return reinterpret_cast<PrintServicesEntry>(entries[0])();
}

}  // namespace

const PrintServices* printServices(std::string& why) {
    if (!searchFolder().empty()) return load({searchFolder()}, nullptr, why);
    // A failure is not kept: the module may be put in place while the program runs.
    static const PrintServices* loaded = nullptr;
    if (!loaded) loaded = load(moduleFolders(), TAVRO_PRINT_MODULE_DIR, why);
    return loaded;
}

void searchPrintModuleIn(const std::string& folder) {
    searchFolder() = folder;
}

}  // namespace tavro
