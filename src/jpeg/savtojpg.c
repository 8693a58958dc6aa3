/* The JPEG module of the nozzle program: writes the drawing sheet's pixels as a JPEG file. */
#include "savtojpg.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

/* jpeglib.h needs size_t and FILE first. */
#include <jpeglib.h>

struct ErrorExit {
    struct jpeg_error_mgr manager;
    jmp_buf jump;
};

static void onError(j_common_ptr info) {
    struct ErrorExit* e = (struct ErrorExit*)info->err;
    longjmp(e->jump, 1);
}

__attribute__((visibility("default"))) int SaveToJpg1(const SheetPixels* sheet, const char* path,
                                                       int32_t height, int32_t width) {
    if (!sheet || !sheet->bits || !path || height <= 0 || width <= 0 || height > sheet->height ||
        width > sheet->width || sheet->bytesPerLine < width * 4) {
        return 0;
    }
    FILE* out = fopen(path, "wb");
    if (!out) return 0;
    /* Only a picture file of our own is taken away after a failed write, never a device such
       as a full disk's /dev/full that the path happens to name. */
    struct stat target;
    const int ownFile = fstat(fileno(out), &target) == 0 && S_ISREG(target.st_mode);

    /* volatile: they are read after a longjmp out of the library. */
    unsigned char* volatile row = (unsigned char*)malloc((size_t)width * 3);
    struct jpeg_compress_struct info;
    struct ErrorExit error;
    /* Destroying a never-created compressor (no row buffer) must find nothing to free. */
    memset(&info, 0, sizeof info);
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = onError;
    if (!row || setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        free(row);
        fclose(out);
        if (ownFile) remove(path);
        return 0;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = (JDIMENSION)width;
    info.image_height = (JDIMENSION)height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        const uint32_t* pixels =
            (const uint32_t*)((const unsigned char*)sheet->bits +
                              (size_t)info.next_scanline * (size_t)sheet->bytesPerLine);
        for (int32_t x = 0; x < width; ++x) {
            row[3 * x] = (unsigned char)(pixels[x] >> 16);
            row[3 * x + 1] = (unsigned char)(pixels[x] >> 8);
            row[3 * x + 2] = (unsigned char)pixels[x];
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    free(row);
    const int closed = fclose(out) == 0;
    if (!closed && ownFile) remove(path);
    return closed;
}
