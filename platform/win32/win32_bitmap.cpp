// Bitmaps on Windows: the game's own pictures come from its resources
// through LoadImage; a picture from the player's directory is read once,
// judged, and made into a bitmap from the very bytes that were judged. GDI
// copies either into a surface through the surface's device context,
// converting to the surface's format, so black lands as native 0.
#include "platform/win32/win32_platform.h"

#include "platform/bitmap.h"
#include "platform/bmp_header.h"
#include "platform/files.h"
#include "platform/win32/win32_display.h"

#include <cstring>
#include <memory>
#include <new>
#include <span>

namespace platform {

struct Bitmap {
    HBITMAP handle = nullptr;
};

} // namespace platform

namespace {

using platform::Bitmap;

Bitmap* wrap(HBITMAP handle)
{
    if (!handle) return nullptr;
    auto* b = new (std::nothrow) Bitmap{handle};
    if (!b) DeleteObject(handle);
    return b;
}

// A header of the one modern form, rebuilt from what the judge found,
// followed by the palette or the three masks.
struct DibInfo {
    BITMAPINFOHEADER header;
    DWORD after[256];
};

DibInfo dib_info(std::span<const uint8_t> file, const BmpLayout& b)
{
    DibInfo info{};
    BITMAPINFOHEADER& h = info.header;
    h.biSize = sizeof h;
    h.biWidth = b.width;
    h.biHeight = b.top_down ? -b.height : b.height;
    h.biPlanes = 1;
    h.biBitCount = WORD(b.bits);
    // The pixels GDI may read end where the file does, whatever the
    // header claimed: a run-length stream is read up to this size.
    h.biSizeImage = DWORD(file.size() - b.pixels_at);
    if (b.compression == BMP_RLE8 || b.compression == BMP_RLE4) {
        h.biCompression = b.compression == BMP_RLE8 ? BI_RLE8 : BI_RLE4;
    } else if (b.bits == 16 || b.bits == 32) {
        h.biCompression = BI_BITFIELDS;
        for (size_t i = 0; i < 3; ++i) info.after[i] = b.masks[i];
    } else {
        h.biCompression = BI_RGB;
    }
    if (b.bits <= 8) {
        h.biClrUsed = DWORD(b.palette_size);
        for (int i = 0; i < b.palette_size && i < 256; ++i) {
            const uint8_t* e = file.data() + b.palette_at + size_t(i) * size_t(b.palette_entry);
            info.after[i] = DWORD(e[2]) << 16 | DWORD(e[1]) << 8 | e[0];
        }
    }
    return info;
}

// A 32-bit picture of the file's size, filled by GDI's own reading of the
// pixels (any depth, masks, run-length coding); what a stream never sets
// stays black, as it does for LoadImage.
HBITMAP bitmap_from_file_bytes(std::span<const uint8_t> file, const BmpLayout& layout)
{
    const DibInfo info = dib_info(file, layout);
    BITMAPINFO out{};
    out.bmiHeader.biSize = sizeof out.bmiHeader;
    out.bmiHeader.biWidth = layout.width;
    out.bmiHeader.biHeight = -layout.height;
    out.bmiHeader.biPlanes = 1;
    out.bmiHeader.biBitCount = 32;
    out.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &out, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) return nullptr;
    std::memset(bits, 0, size_t(layout.width) * size_t(layout.height) * 4);
    const HDC dc = CreateCompatibleDC(nullptr);
    const int rows = dc ? SetDIBits(dc, dib, 0, UINT(layout.height), file.data() + layout.pixels_at,
                                    reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS)
                        : 0;
    if (dc) DeleteDC(dc);
    if (rows <= 0) {
        DeleteObject(dib);
        return nullptr;
    }
    return dib;
}

} // namespace

namespace platform {

Bitmap* bitmap_load_resource(const char* name)
{
    if (!name) return nullptr;
    return wrap(static_cast<HBITMAP>(LoadImageA(win32_instance(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// A file from the player's directory is read only when it is a regular
// file (never a FIFO or a device: nothing here may block), at most as
// large as any picture we take, and believed only when its headers pass
// the judge. The bitmap is then made from the bytes already read: opening
// the path a second time could find another file there.
Bitmap* bitmap_load_file(const char* path)
{
    if (!path) return nullptr;
    const long size = file_size(path);
    if (size <= 0 || size > BMP_FILE_SIZE_LIMIT) return nullptr;
    std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size_t(size)]);
    if (!bytes) return nullptr;
    const long n = file_read(path, bytes.get(), size_t(size));
    if (n <= 0) return nullptr;
    const std::span<const uint8_t> file(bytes.get(), size_t(n));
    BmpLayout layout;
    if (!bmp_file_plausible(file, &layout)) return nullptr;
    return wrap(bitmap_from_file_bytes(file, layout));
}

void bitmap_size(const Bitmap* bitmap, int* width, int* height)
{
    BITMAP b{};
    if (bitmap) GetObjectA(bitmap->handle, sizeof b, &b);
    if (width) *width = int(b.bmWidth);
    if (height) *height = int(b.bmHeight);
}

void bitmap_copy_to_surface(const Bitmap* bitmap, Surface* surface, int scale)
{
    if (!bitmap || !surface || scale < 1) return;
    int width = 0;
    int height = 0;
    bitmap_size(bitmap, &width, &height);
    const HDC memory = CreateCompatibleDC(nullptr);
    if (!memory) return;
    const HGDIOBJ previous = SelectObject(memory, bitmap->handle);
    const HDC dc = win32_surface_dc(surface);
    if (dc) {
        StretchBlt(dc, 0, 0, width * scale, height * scale, memory, 0, 0, width, height, SRCCOPY);
        win32_surface_release_dc(surface, dc);
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
}

void bitmap_free(Bitmap* bitmap)
{
    if (!bitmap) return;
    DeleteObject(bitmap->handle);
    delete bitmap;
}

} // namespace platform
