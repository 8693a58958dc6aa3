// Finds one of the programs' run-time modules (JPEG aside) and the entries it exports.
#pragma once

#include <string>
#include <vector>

namespace tavro {

// Loads file from the folders in turn, then from buildFolder when there is one, with every
// symbol bound at once and none of them shared with later modules. True with the entries'
// addresses in order; false with why in Russian, lacking naming what the module should have
// held ("нет окна характеристик").
bool loadModule(const std::vector<std::string>& folders, const char* buildFolder, const char* file,
                const std::vector<const char*>& entries, const char* lacking,
                std::vector<void*>& found, std::string& why);

// Where an installed or a built program keeps its modules: its own folder, then the install's
// lib/tavro-nozzle.
std::vector<std::string> moduleFolders();

}  // namespace tavro
