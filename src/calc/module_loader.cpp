// Finds one of the programs' run-time modules (JPEG aside) and the entries it exports.
#include "module_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <utility>

#include "program_folder.h"

namespace tavro {

// A module beside the program wins, so a build never picks up an installed one; the build folder
// comes last for the build tree's programs that live in other folders (the tests).
bool loadModule(const std::vector<std::string>& folders, const char* buildFolder, const char* file,
                const std::vector<const char*>& entries, const char* lacking,
                std::vector<void*>& found, std::string& why) {
    std::vector<std::string> places;
    for (const std::string& folder : folders) places.push_back(folder + "/" + file);
    if (buildFolder) places.push_back(std::string(buildFolder) + "/" + file);
    for (const std::string& place : places) {
        if (::access(place.c_str(), R_OK) != 0) continue;
        void* handle = ::dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* error = ::dlerror();
            why = "модуль " + place + " не загружается: " + (error ? error : "причина неизвестна");
            return false;
        }
        std::vector<void*> addresses;
        for (const char* entry : entries) {
            void* address = ::dlsym(handle, entry);
            if (!address) break;
            addresses.push_back(address);
        }
        if (addresses.size() == entries.size()) {
            found = std::move(addresses);
            return true;
        }
        ::dlclose(handle);
        why = "в модуле " + place + " " + lacking;
        return false;
    }
    why = std::string("нет библиотечного файла ") + file + " в ";
    for (size_t i = 0; i < folders.size(); ++i) why += (i ? " и в " : "") + folders[i];
    return false;
}

std::vector<std::string> moduleFolders() {
    const std::string dir = programFolder();
    return {dir, dir.substr(0, dir.rfind('/')) + "/lib/tavro-nozzle"};
}

}  // namespace tavro
