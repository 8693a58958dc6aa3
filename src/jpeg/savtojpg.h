/* The JPEG module of the nozzle program: writes the drawing sheet's pixels as a JPEG file. */
#ifndef TAVRO_SAVTOJPG_H
#define TAVRO_SAVTOJPG_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* What the sheet handle points to: 32-bit pixels 0xAARRGGBB, one row after another. */
typedef struct SheetPixels {
    const uint32_t* bits;
    int32_t bytesPerLine;
    int32_t width;
    int32_t height;
} SheetPixels;

/* Writes the sheet's area of the given height and width from its top-left corner to path
   (a file name in the platform's encoding). Returns 1 when the file was written, 0 otherwise. */
int SaveToJpg1(const SheetPixels* sheet, const char* path, int32_t height, int32_t width);

typedef int (*SaveToJpg1Function)(const SheetPixels*, const char*, int32_t, int32_t);

#ifdef __cplusplus
}
#endif

#endif
