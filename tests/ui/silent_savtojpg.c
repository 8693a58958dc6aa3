/* A stand-in JPEG module that claims success and writes nothing, for the export tests. */
#include <stdint.h>

__attribute__((visibility("default"))) int SaveToJpg1(const void* sheet, const char* path,
                                                       int32_t height, int32_t width) {
    (void)sheet;
    (void)path;
    (void)height;
    (void)width;
    return 1;
}
