#include "platform/window/private/sdl_presenter.h"

#include <SDL.h>

#include <cstddef>
#include <cstring>

namespace {

// SDL's OpenGL renderer would load Mesa's software GL where there is no GPU: some 60 MB for a
// 640×480 picture that the software renderer scales in a few milliseconds. SDL_RENDER_DRIVER and
// SDL_FRAMEBUFFER_ACCELERATION still choose otherwise.
const char kDefaultRenderer[] = "software";
const PixelRect kWholeScreen = {0, 0, kScreenWidth, kScreenHeight};

SDL_Rect toSdl(const PixelRect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

}  // namespace

void SdlPresenter::close() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
}

bool SdlPresenter::open(SDL_Window* window) {
    window_ = window;
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, kDefaultRenderer, SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    renderer_ = SDL_CreateRenderer(window, -1, 0);
    if (!renderer_) return false;
    // The software renderer draws into the window's own pixels, which keep what was drawn last; the
    // others draw into a back buffer that is undefined after each present.
    SDL_RendererInfo info;
    drawsInPlace_ = SDL_GetRendererInfo(renderer_, &info) == 0 && std::strcmp(info.name, "software") == 0;
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, kScreenWidth,
                                 kScreenHeight);
    redrawAll();
    return texture_ != nullptr;
}

void SdlPresenter::setSource(const ScreenSource& source) {
    if (!source.pixels) {
        presentIfChanged();
        source_ = source;
        return;
    }
    source_ = source;
    shown_.forget();
}

void SdlPresenter::redrawAll() {
    measureWindow();
    wholeWindow_ = true;
}

// Asked again at every change of the window rather than once for all: a full-screen window is not
// always the size of the screen.
void SdlPresenter::measureWindow() {
    int pixelsHigh = 0, pointsHigh = 0;
    SDL_GetRendererOutputSize(renderer_, &pixelsWide_, &pixelsHigh);
    SDL_GetWindowSize(window_, &pointsWide_, &pointsHigh);
    letterbox_ = Letterbox(pixelsWide_, pixelsHigh);
}

// Where SDL counts the window in points rather than pixels, its mouse positions are scaled first.
void SdlPresenter::toScreen(int windowX, int windowY, int& x, int& y) const {
    int wide = pointsWide_ > 0 ? pointsWide_ : 1;
    letterbox_.toScreen(windowX * pixelsWide_ / wide, windowY * pixelsWide_ / wide, x, y);
}

void SdlPresenter::presentIfChanged() {
    PixelRect changed = unite(shown_.takeChanges(source_), overlay_.takeChanges());
    if (changed.empty() && !wholeWindow_) return;
    if (!changed.empty() && shown_.known()) upload(changed);
    draw(changed);
    wholeWindow_ = false;
}

// From the copy of the screen as shown, which is the screen itself once its changes are taken, and
// which stays when the display closes.
void SdlPresenter::upload(const PixelRect& area) {
    uint32_t colours[256];
    for (int i = 0; i < 256; ++i) {
        const uint8_t* c = shown_.palette() + i * 4;
        colours[i] = static_cast<uint32_t>(c[0]) << 16 | static_cast<uint32_t>(c[1]) << 8 | c[2];
    }
    SDL_Rect rect = toSdl(area);
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_, &rect, &pixels, &pitch) != 0) return;
    for (int y = 0; y < area.height; ++y) {
        const uint8_t* row = shown_.pixels() + static_cast<ptrdiff_t>(area.y + y) * kScreenWidth + area.x;
        auto* out =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + static_cast<ptrdiff_t>(y) * pitch);
        for (int x = 0; x < area.width; ++x)
            out[x] = colours[row[x]];
        overlay_.composeRow(area.y + y, area.x, area.width, out);
    }
    SDL_UnlockTexture(texture_);
}

void SdlPresenter::draw(const PixelRect& changed) {
    if (wholeWindow_ || !drawsInPlace_) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        if (shown_.known()) copy(kWholeScreen);
    } else {
        copy(changed);
    }
    SDL_RenderPresent(renderer_);
}

void SdlPresenter::copy(PixelRect source) {
    SDL_Rect drawn = toSdl(letterbox_.widenToWholePixels(source));
    SDL_Rect from = toSdl(source);
    SDL_RenderCopy(renderer_, texture_, &from, &drawn);
}
