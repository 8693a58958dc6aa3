// The same Qt platform and character set for every test process, whatever its environment.
#pragma once

#include <cstdlib>

namespace tavro::test {

// Called first in every test program's main(), before Qt starts, so that the tests also run
// (and list themselves to CTest) from a shell without a display or a locale. Fonts are named by
// the program itself (Liberation faces for the Windows ones). The user's own configuration
// folder is out of reach: a test that wants one sets XDG_CONFIG_HOME to a folder of its own.
inline void useTestPlatform() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    setenv("XDG_CONFIG_HOME", "/dev/null/no-configuration", 1);
}

}  // namespace tavro::test
