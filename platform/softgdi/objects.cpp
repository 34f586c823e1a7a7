// The object table. Freed slots are reused oldest first, so a handle that is
// deleted twice rarely hits a newer object.
#include "platform/softgdi/objects.h"

#include <sys/mman.h>

#include <cstdlib>
#include <deque>
#include <vector>

namespace softgdi {
namespace {

// Largest bitmap made: 2^28 pixels (1 GiB of colour pixels).
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

struct Table {
    std::vector<Entry> entries;
    std::deque<std::uint32_t> freeSlots;
    int live = 0;

    Table() {
        Entry stock;
        stock.kind = Kind::Stock;
        stock.bitmap = std::make_unique<Bitmap>();
        stock.bitmap->monoStore = std::make_unique<std::uint8_t[]>(4);
        stock.bitmap->surface = {1, 1, 4, true, nullptr, stock.bitmap->monoStore.get()};
        entries.push_back(std::move(stock));
    }

    std::uint32_t Add(Entry e) {
        ++live;
        if (!freeSlots.empty()) {
            const std::uint32_t slot = freeSlots.front();
            freeSlots.pop_front();
            entries[slot] = std::move(e);
            return slot + 1;
        }
        entries.push_back(std::move(e));
        return static_cast<std::uint32_t>(entries.size());
    }
};

Table& table() {
    static Table t;
    return t;
}

WindowProvider* provider = nullptr;

// From this size on a bitmap is mapped on its own (2 MiB: one huge page).
constexpr std::size_t kMappedBytes = std::size_t{2} << 20;

}  // namespace

PixelStore::~PixelStore() {
    if (mapped_)
        ::munmap(pixels_, mapped_);
    else
        std::free(pixels_);
}

void PixelStore::Discard() {
    if (mapped_) ::madvise(pixels_, mapped_, MADV_DONTNEED);
}

bool PixelStore::Allocate(std::size_t count) {
    const std::size_t bytes = count * sizeof(std::uint32_t);
    if (bytes < kMappedBytes) {
        pixels_ = static_cast<std::uint32_t*>(std::calloc(count, sizeof(std::uint32_t)));
        return pixels_ != nullptr;
    }
    // Mapped with room to start on a huge page's boundary; the rest goes back.
    const std::size_t size = (bytes + kMappedBytes - 1) / kMappedBytes * kMappedBytes;
    void* p = ::mmap(nullptr, size + kMappedBytes, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return false;
    auto* start = static_cast<char*>(p);
    const std::size_t head =
        (kMappedBytes - reinterpret_cast<std::uintptr_t>(p) % kMappedBytes) % kMappedBytes;
    if (head) ::munmap(start, head);
    if (kMappedBytes - head) ::munmap(start + head + size, kMappedBytes - head);
    ::madvise(start + head, size, MADV_HUGEPAGE);  // a hint: all works the same without
    pixels_ = reinterpret_cast<std::uint32_t*>(start + head);
    mapped_ = size;
    return true;
}

plat::HBITMAP NewBitmap(std::int32_t width, std::int32_t height, bool mono) {
    if (width <= 0 || height <= 0) return 0;
    if (std::int64_t{width} * height > kMaxPixels) return 0;
    auto b = std::make_unique<Bitmap>();
    Surface& s = b->surface;
    s.width = width;
    s.height = height;
    s.mono = mono;
    if (mono) {
        s.pitch = ((width + 31) / 32) * 4;
        b->monoStore.reset(new (std::nothrow) std::uint8_t[std::size_t(s.pitch) * height]());
        if (!b->monoStore) return 0;
        s.bits = b->monoStore.get();
    } else {
        s.pitch = width;
        if (!b->colourStore.Allocate(std::size_t(width) * height)) return 0;
        s.pixels = b->colourStore.get();
    }
    Entry e;
    e.kind = Kind::Bitmap;
    e.bitmap = std::move(b);
    return table().Add(std::move(e));
}

plat::HDC NewMemoryDC() {
    Entry e;
    e.kind = Kind::MemoryDC;
    e.dc.bitmap = kStockBitmap;
    return table().Add(std::move(e));
}

plat::HDC NewWindowDC(plat::HWND hwnd, const WindowSurface& pixels) {
    Entry e;
    e.kind = Kind::WindowDC;
    e.dc.hwnd = hwnd;
    e.dc.window = {pixels.width, pixels.height, pixels.pitch, false, pixels.pixels, nullptr, hwnd};
    return table().Add(std::move(e));
}

void FreeEntry(std::uint32_t handle) {
    Table& t = table();
    Entry* e = Find(handle);
    if (!e || e->kind == Kind::Stock) return;
    if (e->kind == Kind::Bitmap && e->bitmap->surface.window != 0) Forget(handle);
    *e = Entry{};
    t.freeSlots.push_back(handle - 1);
    --t.live;
}

Entry* Peek(std::uint32_t handle) {
    Table& t = table();
    if (handle == 0 || handle > t.entries.size()) return nullptr;
    Entry& e = t.entries[handle - 1];
    return e.kind == Kind::Free ? nullptr : &e;
}

Entry* Find(std::uint32_t handle) {
    FlushPending();
    return Peek(handle);
}

namespace {

Bitmap* BitmapOf(Entry* e) {
    if (!e || (e->kind != Kind::Bitmap && e->kind != Kind::Stock)) return nullptr;
    return e->bitmap.get();
}

Dc* DcOf(Entry* e) {
    if (!e || (e->kind != Kind::MemoryDC && e->kind != Kind::WindowDC)) return nullptr;
    return &e->dc;
}

Surface* SurfaceOfEntry(Entry* e) {
    if (!e) return nullptr;
    if (e->kind == Kind::WindowDC) return &e->dc.window;
    if (e->kind != Kind::MemoryDC) return nullptr;
    Bitmap* b = BitmapOf(Peek(e->dc.bitmap));
    return b ? &b->surface : nullptr;
}

}  // namespace

Bitmap* FindBitmap(plat::HBITMAP handle) {
    return BitmapOf(Find(handle));
}

Dc* FindDC(plat::HDC handle) {
    return DcOf(Find(handle));
}

Surface* SurfaceOf(plat::HDC hdc) {
    return SurfaceOfEntry(Find(hdc));
}

Dc* PeekDC(plat::HDC handle) {
    return DcOf(Peek(handle));
}

Surface* PeekSurface(plat::HDC hdc) {
    return SurfaceOfEntry(Peek(hdc));
}

WindowProvider* Provider() {
    return provider;
}
int LiveCount() {
    return table().live;
}

void MoveWindowDCs(plat::HWND hwnd, const WindowSurface& pixels) {
    FlushPending();
    Unshare(hwnd);
    for (Entry& e : table().entries)
        if (e.kind == Kind::WindowDC && e.dc.hwnd == hwnd)
            e.dc.window = {pixels.width,  pixels.height, pixels.pitch, false,
                           pixels.pixels, nullptr,       hwnd};
}

void SetProvider(WindowProvider* p) {
    provider = p;
}

}  // namespace softgdi

namespace plat {

void SetWindowProvider(WindowProvider* p) {
    softgdi::SetProvider(p);
}
void MoveWindowPixels(HWND hwnd, const WindowSurface& pixels) {
    softgdi::MoveWindowDCs(hwnd, pixels);
}

}  // namespace plat
